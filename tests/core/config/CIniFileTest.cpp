#include "config/CIniFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/config/CIniFileFixture.h"
#include "fakes/TempDir.h"

namespace tavix {
namespace {

TEST_F(CIniFileTest, NamesAndValuesAreTakenByteForByte) {
    LoadText(
        "[s]\n"
        "key = value\n"
        "a=b=c\n"
        ";comment\n"
        "[t]\n"
        "=x\n"
        "x\n");

    // Blanks around '=' belong to the name and the value.
    EXPECT_EQ(ini.GetText("s", "key "), " value");
    EXPECT_EQ(ini.GetText("s", "key"), "");
    EXPECT_EQ(ini.LastError(), kIniErrNoValue);
    // Only the first '=' splits.
    EXPECT_EQ(ini.GetText("s", "a"), "b=c");
    // A line without '=' is an entry with the empty name, valued by the line
    // less its first character; "=x" names the same entry, so the later "x"
    // line (value "") replaces it.
    EXPECT_EQ(ini.GetText("s", ""), "comment");
    EXPECT_EQ(ini.EntryCount("t"), 1);
    EXPECT_EQ(ini.GetText("t", ""), "");
}

TEST_F(CIniFileTest, SectionsAndEntriesKeepFirstPlaceAndLastValue) {
    LoadText(
        "top=1\n"
        "[Section]\n"
        "v=upper\n"
        "[section]\n"
        "v=lower\n"
        "[[a]]\n"
        "w=2\n"
        "[]\n"
        "e=3\n"
        "[Section]\n"
        "z=4\n"
        "v=again\n"
        "[empty]\n");

    // Entries before any header belong to the section with the empty name,
    // and "[]" continues that section.
    EXPECT_EQ(ini.FindSection(""), 0);
    EXPECT_EQ(ini.GetText("", "top"), "1");
    EXPECT_EQ(ini.GetText("", "e"), "3");
    // Case matters.
    EXPECT_EQ(ini.GetText("Section", "v"), "again");
    EXPECT_EQ(ini.GetText("section", "v"), "lower");
    EXPECT_EQ(ini.GetText("Section", "V"), "");
    // Every leading '[' and trailing ']' goes.
    EXPECT_EQ(ini.GetText("a", "w"), "2");
    // A repeated header continues its section; a repeated entry keeps its place.
    EXPECT_EQ(ini.FindSection("Section"), 1);
    EXPECT_EQ(ini.FindEntry(1, "v"), 0);
    EXPECT_EQ(ini.FindEntry(1, "z"), 1);
    // A header without entries leaves nothing behind.
    EXPECT_EQ(ini.FindSection("empty"), -1);
    EXPECT_EQ(ini.EntryCount("empty"), -1);
    EXPECT_EQ(ini.EntryCount("Section"), 2);
    EXPECT_EQ(ini.FindEntry(-1, "v"), -1);
    EXPECT_EQ(ini.FindEntry(99, "v"), -1);

    EXPECT_EQ(ini.GetText("nowhere", "v"), "");
    EXPECT_EQ(ini.LastError(), kIniErrNoKey);
}

TEST_F(CIniFileTest, HeaderNeedsBracketsAtBothEnds) {
    LoadText(
        "[s] \n"    // trailing blank: not a header
        "[s]x=1\n"  // text after the bracket: not a header
        "[q]\n"
        "[]]\n"  // back to the section with the empty name
        "k=v\n");
    EXPECT_EQ(ini.FindSection("s"), -1);
    EXPECT_EQ(ini.FindSection("q"), -1);
    EXPECT_EQ(ini.GetText("", ""), "s] ");
    EXPECT_EQ(ini.GetText("", "[s]x"), "1");
    EXPECT_EQ(ini.GetText("", "k"), "v");
}

TEST_F(CIniFileTest, CrLfAndLfBothEndLines) {
    LoadText("[s]\r\na=1\r\nb=2\nc=3\r\rd\r\ne=last\r");
    EXPECT_EQ(ini.GetText("s", "a"), "1");
    EXPECT_EQ(ini.GetText("s", "b"), "2");
    // A CR on its own is part of the text.
    EXPECT_EQ(ini.GetText("s", "c"), "3\r\rd");
    // The last line needs no line end.
    EXPECT_EQ(ini.GetText("s", "e"), "last\r");
    EXPECT_EQ(ini.EntryCount("s"), 4);
}

TEST_F(CIniFileTest, LoadStopsAtTheFirstOverlongLineAndKeepsWhatCameBefore) {
    const std::string longest(CIniFile::kMaxLineLength - 2, 'v');  // "a=" + 2045 = 2047
    LoadText("[s]\r\na=" + longest + "\r\nb=" + longest + "w" + "\r\nc=after\r\n[t]\r\nd=1\r\n");
    EXPECT_EQ(ini.GetText("s", "a"), longest);
    EXPECT_EQ(ini.EntryCount("s"), 1);
    EXPECT_EQ(ini.FindSection("t"), -1);

    // The same overlong line at the very end, without a line end.
    CIniFile other;
    WriteBytes(path, "[s]\nok=1\nb=" + longest + "w");
    other.SetFilePath(path);
    EXPECT_TRUE(other.Load());
    EXPECT_EQ(other.EntryCount("s"), 1);

    // A line far beyond the limit does not have to be read to its end.
    CIniFile huge;
    WriteBytes(path, "[s]\nok=1\n" + std::string(1 << 20, 'x') + "\nlate=1\n");
    huge.SetFilePath(path);
    EXPECT_TRUE(huge.Load());
    EXPECT_EQ(huge.EntryCount("s"), 1);
}

TEST_F(CIniFileTest, AFileReadOnlyInPartIsNeverWrittenBack) {
    // Line 3 is too long: it and everything after it were not read, so a save
    // would silently drop them. The file stays as it is; the change holds in memory.
    const std::string original = "[communicateset]\r\nport=1\r\n[1L40]\r\ndescription=" +
                                 std::string(CIniFile::kMaxLineLength, 'd') +
                                 "\r\nkvalue0=0.5\r\n[display]\r\nyaxis=0\r\n";
    WriteBytes(path, original);
    ini.SetFilePath(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.StoppedAtLine(), 4u);

    ini.PutInt("communicateset", "port", 3, true);
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(ini.GetInt("communicateset", "port"), 3);
    EXPECT_EQ(ini.LastError().rfind(kIniErrSave, 0), 0u) << ini.LastError();
    const std::string detail = ini.SaveFailureDetail();
    EXPECT_NE(detail.find(path), std::string::npos) << detail;
    EXPECT_NE(detail.find("line 4"), std::string::npos) << detail;
    // Told once: every later change fails for the same reason.
    EXPECT_TRUE(ini.TellSaveFailure());
    EXPECT_FALSE(ini.Save());
    EXPECT_FALSE(ini.TellSaveFailure());
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"config.ini"});

    // A file read to its end is written as before, and a failed write is told each time.
    CIniFile whole;
    WriteBytes(path, "[s]\na=1\n");
    whole.SetFilePath(path);
    ASSERT_TRUE(whole.Load());
    EXPECT_EQ(whole.StoppedAtLine(), 0u);
    EXPECT_TRUE(whole.Save());
    whole.SetFilePath(dir.File("no-such-dir/config.ini"));
    EXPECT_FALSE(whole.Save());
    EXPECT_TRUE(whole.TellSaveFailure());
    EXPECT_FALSE(whole.Save());
    EXPECT_TRUE(whole.TellSaveFailure());
    EXPECT_NE(whole.SaveFailureDetail().find("no-such-dir/config.ini"), std::string::npos);
}

TEST_F(CIniFileTest, AFileOverTheSizeLimitIsRefusedWithItsSize) {
    WriteBytes(path, "[s]\na=1\n");
    std::filesystem::resize_file(path, CIniFile::kMaxFileSize + 1);
    ini.SetFilePath(path);
    EXPECT_FALSE(ini.Load());
    EXPECT_EQ(ini.LastError(), kIniErrOpen);
    EXPECT_EQ(ini.FindSection("s"), -1);
    EXPECT_NE(ini.LoadFailureDetail().find(path), std::string::npos) << ini.LoadFailureDetail();
    EXPECT_NE(ini.LoadFailureDetail().find("16777217 bytes"), std::string::npos);
    // Never written back over: what it holds was not read.
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(std::filesystem::file_size(path), CIniFile::kMaxFileSize + 1);

    // At the limit it loads.
    CIniFile atLimit;
    std::filesystem::resize_file(path, CIniFile::kMaxFileSize);
    atLimit.SetFilePath(path);
    EXPECT_TRUE(atLimit.Load());
    EXPECT_EQ(atLimit.GetText("s", "a"), "1");
}

TEST_F(CIniFileTest, LookupsKeepTheFirstMatchInOrderAmongManyEntries) {
    std::string text = "[big]\n";
    for (int i = 0; i < 20000; ++i) {
        text += "e" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    }
    text += "[other]\nx=1\n[big]\ne5=again\ne20000=last\n";
    LoadText(text);
    EXPECT_EQ(ini.FindSection("big"), 0);
    EXPECT_EQ(ini.FindSection("other"), 1);
    EXPECT_EQ(ini.EntryCount("big"), 20001);
    EXPECT_EQ(ini.FindEntry(0, "e5"), 5);
    EXPECT_EQ(ini.GetText("big", "e5"), "again");
    EXPECT_EQ(ini.FindEntry(0, "e20000"), 20000);
    EXPECT_EQ(ini.FindEntry(1, "e5"), -1);
    EXPECT_EQ(ini.FindEntry(2, "x"), -1);
    EXPECT_EQ(ini.FindEntry(-1, "x"), -1);
    ini.PutText("new", "k", "v", true);
    EXPECT_EQ(ini.FindSection("new"), 2);
    EXPECT_EQ(ini.Text().substr(ini.Text().size() - 14), "[new]\r\nk=v\r\n\r\n");
}

TEST_F(CIniFileTest, LoadAddsToMemoryAndReportsUnreadableFiles) {
    ini.PutText("mem", "kept", "yes", true);
    LoadText("[mem]\nnew=1\n[file]\nx=2\n");
    EXPECT_EQ(ini.GetText("mem", "kept"), "yes");
    EXPECT_EQ(ini.GetText("mem", "new"), "1");
    EXPECT_EQ(ini.FindSection("file"), 1);

    // A missing file leaves the last error as it was.
    ini.GetText("no", "such");
    ini.SetFilePath(dir.File("missing.ini"));
    EXPECT_FALSE(ini.Load());
    EXPECT_EQ(ini.LastError(), kIniErrNoKey);

    // A path that exists but is no readable file.
    ini.SetFilePath(dir.Path().string());
    EXPECT_FALSE(ini.Load());
    EXPECT_EQ(ini.LastError(), kIniErrOpen);
    EXPECT_EQ(ini.EntryCount("mem"), 2);
}

TEST_F(CIniFileTest, NumbersReadLikeAtoiAndAtof) {
    LoadText(
        "[n]\n"
        "mixed=12abc\n"
        "exp=0.5e1\n"
        "blank= 7\n"
        "neg=-3\n"
        "plus=+4\n"
        "text=abc\n"
        "big=99999999999\n"
        "small=-99999999999\n"
        "real=-0.25xyz\n");
    EXPECT_EQ(ini.GetInt("n", "mixed"), 12);
    EXPECT_DOUBLE_EQ(ini.GetReal("n", "exp"), 5.0);
    EXPECT_EQ(ini.GetInt("n", "blank"), 7);
    EXPECT_EQ(ini.GetInt("n", "neg"), -3);
    EXPECT_EQ(ini.GetInt("n", "plus"), 4);
    EXPECT_EQ(ini.GetInt("n", "text"), 0);
    EXPECT_DOUBLE_EQ(ini.GetReal("n", "text"), 0.0);
    EXPECT_EQ(ini.GetInt("n", "big"), INT_MAX);
    EXPECT_EQ(ini.GetInt("n", "small"), INT_MIN);
    EXPECT_DOUBLE_EQ(ini.GetReal("n", "real"), -0.25);
    EXPECT_EQ(ini.GetInt("n", "missing"), 0);
    EXPECT_DOUBLE_EQ(ini.GetReal("missing", "x"), 0.0);
    EXPECT_EQ(ini.LastError(), kIniErrNoKey);
}

TEST_F(CIniFileTest, PutCreatesOnlyWhenAskedAndAppendsAtTheEnd) {
    LoadText("[communicateset]\nport=1\n");
    EXPECT_FALSE(ini.PutInt("display", "yaxis", 3, false));
    EXPECT_FALSE(ini.PutInt("communicateset", "baud", 9600, false));
    EXPECT_EQ(ini.FindSection("display"), -1);
    EXPECT_EQ(ini.EntryCount("communicateset"), 1);

    EXPECT_TRUE(ini.PutInt("communicateset", "port", 4, false));
    EXPECT_TRUE(ini.PutInt("display", "yaxis", 3, true));
    EXPECT_TRUE(ini.PutInt("display", "color0", -1, true));
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(path),
              "[communicateset]\r\nport=4\r\n\r\n"
              "[display]\r\nyaxis=3\r\ncolor0=-1\r\n\r\n");
}

TEST_F(CIniFileTest, SaveWritesCrLfAndDropsEmptySections) {
    LoadText(
        "[gone]\n"
        "[s]\n"
        ";comment\n"
        "key = value\n"
        "[t]\n"
        "a=b=c\n");
    ini.PutText("late", "x", "1", false);  // not created
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(path),
              "[s]\r\n=comment\r\nkey = value\r\n\r\n"
              "[t]\r\na=b=c\r\n\r\n");
}

TEST_F(CIniFileTest, SavedFileLoadsBackToTheSameText) {
    LoadText(
        "lead=0\r\n"
        "[[x]]\n"
        "=\n"
        "k==v\r\r\n"
        "[y]\n"
        "odd\n"
        "[x]\n"
        "later=1\n");
    ASSERT_TRUE(ini.Save());
    const std::string first = ReadBytes(path);

    CIniFile again;
    again.SetFilePath(path);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetText("x", "k"), "=v\r");
    EXPECT_EQ(again.Text(), first);
}

// Two windows of the program in one folder: each save writes only what that
// window changed, onto the file as the other one left it.
TEST_F(CIniFileTest, TwoWindowsSavingOneFileKeepEachOthersChanges) {
    LoadText("[communicateset]\r\ncom=1\r\n\r\n[display]\r\nyaxis=0\r\n\r\n");
    CIniFile other;
    other.SetFilePath(path);
    ASSERT_TRUE(other.Load());

    ini.PutText("communicateset", "com", "3", true);
    ASSERT_TRUE(ini.Save());
    other.PutText("display", "yaxis", "2", true);
    other.PutText("display", "new", "x", true);
    ASSERT_TRUE(other.Save());
    EXPECT_EQ(ReadBytes(path),
              "[communicateset]\r\ncom=3\r\n\r\n[display]\r\nyaxis=2\r\nnew=x\r\n\r\n");
    EXPECT_EQ(other.GetText("communicateset", "com"), "3");  // memory matches the file

    // A later save of the first window writes its own change again only.
    ini.PutText("communicateset", "com", "4", true);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(path),
              "[communicateset]\r\ncom=4\r\n\r\n[display]\r\nyaxis=2\r\nnew=x\r\n\r\n");
}

TEST_F(CIniFileTest, SaveIntoMissingDirectoryOrWithoutPathFails) {
    LoadText("[s]\na=1\n");
    ini.SetFilePath(dir.File("no-such-dir/config.ini"));
    EXPECT_FALSE(ini.Save());
    EXPECT_FALSE(std::filesystem::exists(dir.File("no-such-dir")));

    CIniFile noPath;
    noPath.PutText("s", "a", "1", true);
    EXPECT_FALSE(noPath.Save());
}

}  // namespace
}  // namespace tavix
