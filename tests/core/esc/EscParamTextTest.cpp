// The page's parameters as text: what the command line takes and the
// parameter files hold.
#include "esc/EscPageEdits.h"
#include "esc/EscParamText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/esc/EscSessionFixture.h"

namespace tavix::test {
namespace {

TEST(EscParamText, SettingsAreCheckedAgainstTheSeries) {
    struct Case {
        const EscSeriesTable& table;
        const char* name;
        const char* value;
        const char* refusalStart;  // empty: accepted
    };
    const Case cases[] = {
        {OstrinTable(), "Temperature Offset", "255", ""},
        {OstrinTable(), "Temperature Offset", "256", kMsgTemperatureOffsetRange},
        {OstrinTable(), "temperature offset", "-3", kMsgTemperatureOffsetRange},
        {OstrinTable(), "Throttle Neutral", "1500", "Throttle Neutral comes from the ESC"},
        {TarrowTable(), "Throttle Range", "640", "Throttle Range comes from the ESC"},
        {TarrowTable(), "Temperature Offset", "3", "The Tarrow series has no parameter"},
        {TarrowTable(), "Brake Types", "Hard", "\"Hard\" is no value of Brake Types"},
        {TarrowTable(), "Brake Types", "hard brake", ""},
    };
    for (const Case& c : cases) {
        EscSetting setting;
        const std::string refusal = CheckSetting(c.table, c.name, c.value, setting);
        EXPECT_EQ(refusal.rfind(c.refusalStart, 0), 0u)
            << c.name << "=" << c.value << ": " << refusal;
        EXPECT_EQ(refusal.empty(), std::string(c.refusalStart).empty()) << refusal;
    }
}

// Every parameter of every series says what it does; a file printed with the
// explanations reads back as the same settings as one without.
TEST(EscParamText, ExplainedFilesCarryEveryParameterAndReadBackAlike) {
    for (const sim::Series series :
         {sim::Series::Tarrow, sim::Series::Velmor, sim::Series::Ostrin, sim::Series::Peldan}) {
        EscSession esc(series);
        esc.ShowAndRead();
        const std::string plain = ParamFileText(esc.Table(), esc.State());
        const std::string explained = ParamFileText(esc.Table(), esc.State(), true);
        for (const EscNamedValue& value : PageValues(esc.Table(), esc.State())) {
            EXPECT_GT(value.explain.size(), 20u) << value.name;
            EXPECT_EQ(value.explain.find_first_of("\r\n"), std::string::npos) << value.name;
            EXPECT_NE(explained.find(value.name + ": " + ShownValue(value) + kParamFileComment +
                                     value.explain + "\n"),
                      std::string::npos)
                << explained;
        }
        std::string error;
        const auto a = ParseParamFile(esc.Table(), plain, "a", error);
        const auto b = ParseParamFile(esc.Table(), explained, "b", error);
        ASSERT_EQ(error, "") << explained;
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].entry, b[i].entry);
            EXPECT_EQ(a[i].offsetText, b[i].offsetText);
        }
        EXPECT_EQ(ParamFileValues(explained).size(), ParamFileValues(plain).size());
    }
    EXPECT_EQ(ExplainText("Switching frequency.", "KHz"), "Switching frequency. [KHz]");
}

// The version comes from the ESC as any 16 bytes: a line break or an escape
// sequence in it stays inside its own line, and the file still reads back.
TEST(EscParamText, AVersionWithControlBytesKeepsTheFileReadable) {
    EscSession saved(sim::Series::Ostrin);
    Bytes block = saved.device->ParamBlock();
    const std::string hostile = "TVKC\n\x1B[2J:03121\\";  // all 16 bytes
    std::copy(hostile.begin(), hostile.end(), block.begin() + kBlockVersionOffset);
    saved.device->SetParamBlock(block);
    saved.ShowAndRead();
    const std::string text = ParamFileText(saved.Table(), saved.State());
    EXPECT_NE(text.find("\nFirmware Version: TVKC\\x0A\\x1B[2J:03121\\\\\n"), std::string::npos)
        << text;
    std::string error;
    ParseParamFile(saved.Table(), text, "v.esc.txt", error);
    EXPECT_TRUE(error.empty()) << error;
}

TEST(EscParamText, AFileLoadsBackIntoAPageOfTheSameSeriesOnly) {
    EscSession saved(sim::Series::Ostrin);
    Bytes block = saved.device->ParamBlock();
    block[1] = 2;    // Low Voltage Cutoff "6.0V (2 Lipo)"
    block[4] = 1;    // Over-heat Protection "Close"
    block[15] = 9;   // temperature offset
    block[13] = 40;  // Motor Type beyond its entries: no value
    saved.device->SetParamBlock(block);
    saved.ShowAndRead();
    const std::string text = ParamFileText(saved.Table(), saved.State());
    EXPECT_NE(text.find("Series: Ostrin\nFirmware Version: TVKC20140C300312\n"), std::string::npos);
    EXPECT_NE(text.find("Throttle Neutral: 1500 uS\n"), std::string::npos);
    EXPECT_NE(text.find("Motor Type: \n"), std::string::npos);

    EscSession loaded(sim::Series::Ostrin);
    loaded.ShowAndRead();
    loaded.session.Select(12, 1);  // Motor Type
    std::string error;
    const auto settings = ParseParamFile(loaded.Table(), text, "a.esc.txt", error);
    ASSERT_TRUE(error.empty()) << error;
    for (const EscSetting& s : settings) {
        ApplySetting(loaded.session, s);
    }
    for (std::size_t i = 0; i < loaded.Table().lists.size(); ++i) {
        // A list the file leaves without a value keeps the page's.
        EXPECT_EQ(loaded.State().selection[i], i == 12 ? 1 : saved.State().selection[i]) << i;
    }
    EXPECT_EQ(loaded.State().Text(EscField::TemperatureOffset), "9");

    const auto other = ParseParamFile(TarrowTable(), text, "a.esc.txt", error);
    EXPECT_TRUE(other.empty());
    EXPECT_EQ(error,
              "The file holds parameters of the Ostrin series, but this is the Tarrow "
              "series page!");

    std::string broken = text;
    broken.replace(broken.find("Drag Brake: 10%"), 15, "Drag Brake: 11%");
    EXPECT_TRUE(ParseParamFile(OstrinTable(), broken, "b.esc.txt", error).empty());
    EXPECT_EQ(error.rfind("b.esc.txt, line 13: \"11%\" is no value of Drag Brake", 0), 0u) << error;
    EXPECT_TRUE(ParseParamFile(OstrinTable(), "LVC: Auto\n", "c.txt", error).empty());
    EXPECT_EQ(error, "c.txt is not a Tavix ESC parameter file!");
}

// A record keeps the block of the ESC it flew with; a comparison of flights
// reads its settings as the page would show them.
TEST(EscParamText, StoredSettingsReadAsThePageShowsThem) {
    EscSession esc(sim::Series::Ostrin);
    const Bytes block = esc.device->ParamBlock();
    const std::string stored(block.begin(), block.end());
    const auto settings = StoredSettings(stored);
    ASSERT_TRUE(settings.has_value());
    const std::vector<EscNamedValue> page = BlockValues(OstrinTable(), block);
    ASSERT_EQ(settings->size(), page.size());
    for (std::size_t i = 0; i < page.size(); ++i) {
        EXPECT_EQ((*settings)[i].name, page[i].name);
        EXPECT_EQ((*settings)[i].value, ShownValue(page[i]));
    }
    const auto neutral = std::find_if(settings->begin(), settings->end(), [](const NamedValue& v) {
        return v.name == "Throttle Neutral";
    });
    ASSERT_NE(neutral, settings->end());
    EXPECT_EQ(neutral->value, "1500 uS");

    std::string unknown = stored;
    unknown.replace(kBlockVersionOffset, 4, "XXXX");
    for (const std::string& none : {stored.substr(1), unknown, std::string()}) {
        EXPECT_FALSE(StoredSettings(none).has_value());
    }
}

TEST(EscParamText, ChangesAreWrittenInEnglishAndShownInTheWindowsLanguage) {
    // Brake Types to a byte the table has no entry for, and a byte no
    // parameter shows.
    Bytes holds = sim::DefaultParamBlock(sim::Series::Velmor);
    holds[3] = 0;
    holds[10] = 0;
    Bytes snapshot = holds;
    snapshot[3] = 9;
    snapshot[10] = 0x33;
    const std::vector<std::string> english = {"Brake  Types: No Brake -> unknown value 9",
                                              "Offset 10 (kept as read): 0 -> 51"};
    const auto texts = [](const std::vector<MessageParts>& lines, bool shown) {
        std::vector<std::string> out;
        for (const MessageParts& line : lines) {
            out.push_back(shown ? line.Shown() : line.Text());
        }
        return out;
    };
    const std::map<std::string, std::string> table = {
        {kEscChangeLine, "<%s> %s => %s"}, {"Brake  Types:", "BT"},
        {kEscUnknownValue, "?%s?"},        {kEscOffsetChange, "@%s[%s] %s => %s"},
        {"kept as read", "KEPT"},          {"No Brake", "NB"}};
    SetTranslator([&table](const char* source) {
        const auto found = table.find(source);
        return found == table.end() ? std::string(source) : found->second;
    });
    const std::vector<MessageParts> lines = RestoreChanges(VelmorTable(), holds, snapshot);
    const std::vector<EscDiffLine> diff =
        DiffParams(BlockValues(VelmorTable(), holds), BlockValues(VelmorTable(), snapshot));
    const std::vector<std::string> shown = texts(lines, true);
    const std::string question = ChangesText(lines);
    const std::vector<std::string> written = texts(lines, false);
    SetTranslator(nullptr);

    EXPECT_EQ(shown, (std::vector<std::string>{"<BT> NB => ?9?", "@10[KEPT] 0 => 51"}));
    EXPECT_EQ(question, "<BT> NB => ?9?\r\n@10[KEPT] 0 => 51");
    // What the command line prints and the history compares stays English.
    EXPECT_EQ(written, english);
    const auto brake = std::find_if(diff.begin(), diff.end(),
                                    [](const EscDiffLine& line) { return line.differs; });
    ASSERT_NE(brake, diff.end());
    EXPECT_EQ(brake->b, "unknown value 9");
    EXPECT_EQ(brake->shownB.Text(), "unknown value 9");
    // Without a translator, the window shows the English bytes.
    EXPECT_EQ(texts(lines, true), english);
}

}  // namespace
}  // namespace tavix::test
