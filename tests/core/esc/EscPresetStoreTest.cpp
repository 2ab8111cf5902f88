// Presets: names that could reach outside the folder are refused, a preset
// is never replaced unasked, one of another series is refused naming both,
// and what is imported is checked as it will be applied.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/Paths.h"
#include "esc/EscParamText.h"
#include "esc/EscPresetStore.h"
#include "fakes/TempDir.h"
#include "sim/DeviceProfile.h"

namespace tavix::test {
namespace {

class Presets : public ::testing::Test {
protected:
    static std::string VelmorText(const char* pwm) {
        return std::string("Tavix ESC parameters\nSeries: Velmor\nPWM Rate: ") + pwm + "\n";
    }
    void WriteFile(const std::string& path, const std::string& text) const {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const EscPreset& p : store.List()) {
            names.push_back(p.name + "/" + p.series);
        }
        return names;
    }
    TempDir dir;
    EscPresetStore store{dir.File("esc-presets")};
};

TEST(PresetNames, NamesThatAreNoPlainFileNameAreRefused) {
    const struct {
        std::string name;
        const char* why;  // nullptr: taken
    } cases[] = {
        {"3S race", nullptr},
        {"crawler.soft", nullptr},
        {"", nullptr},  // its own message
        {"../escape", kWhyPresetSeparator},
        {"a\\b", kWhyPresetSeparator},
        {".hidden", kWhyPresetDot},
        {"..", kWhyPresetDot},
        {"tab\there", kWhyPresetControl},
        {std::string(81, 'x'), kWhyPresetLong},
    };
    for (const auto& c : cases) {
        const std::string refusal = PresetNameRefusal(c.name);
        if (c.name.empty()) {
            EXPECT_EQ(refusal, kMsgPresetNameEmpty);
        } else if (c.why == nullptr) {
            EXPECT_EQ(refusal, "") << c.name;
        } else {
            EXPECT_NE(refusal.find(c.why), std::string::npos) << c.name << ": " << refusal;
            EXPECT_EQ(refusal.find('\t'), std::string::npos);
        }
    }
    EXPECT_EQ(PresetFolderIn(UserFolders{"/c", "/x/data/Tavix"}),
              JoinPath("/x/data/Tavix", "esc-presets"));
    EXPECT_EQ(PresetFolderIn(UserFolders{}), "");
    EXPECT_EQ(PresetNameOfFile("/tmp/boat 4S.esc.txt"), "boat 4S");
    EXPECT_EQ(PresetNameOfFile("/tmp/boat.txt"), "boat");
}

TEST_F(Presets, SavedPresetsAreListedByNameAndNeverReplacedUnasked) {
    EXPECT_TRUE(store.List().empty());  // no folder yet
    EXPECT_EQ(store.Save("b fast", VelmorText("16 KHz"), false), "");
    EXPECT_EQ(store.Save("a soft", VelmorText("8 KHz"), false), "");
    EXPECT_EQ(store.Save("a soft", VelmorText("12 KHz"), false),
              "A preset named \"a soft\" exists already.");
    WriteFile(dir.File("esc-presets/notes.esc.txt"), "just notes\n");  // no parameter file
    WriteFile(dir.File("esc-presets/.hidden.esc.txt"), VelmorText("8 KHz"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a soft/Velmor", "b fast/Velmor"}));

    std::string text;
    EXPECT_EQ(store.Read("a soft", text), "");
    EXPECT_EQ(text, VelmorText("8 KHz"));
    EXPECT_EQ(store.Save("a soft", VelmorText("12 KHz"), true), "");
    EXPECT_EQ(store.Read("a soft", text), "");
    EXPECT_EQ(text, VelmorText("12 KHz"));
    EXPECT_EQ(store.Read("missing", text), "There is no preset named \"missing\".");
    EXPECT_NE(store.Save("../out", VelmorText("8 KHz"), true).find(kWhyPresetSeparator),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.esc.txt")));
}

TEST_F(Presets, APresetOfAnotherSeriesIsRefusedNamingBoth) {
    ASSERT_EQ(store.Save("boat", VelmorText("8 KHz"), false), "");
    std::string text;
    EXPECT_EQ(store.ReadFor(OstrinTable(), "boat", text),
              "The preset \"boat\" holds parameters of the Velmor series, but this ESC is of the "
              "Ostrin series!");
    EXPECT_EQ(store.ReadFor(VelmorTable(), "boat", text), "");
}

TEST_F(Presets, RenameDeleteImportAndExport) {
    ASSERT_EQ(store.Save("one", VelmorText("8 KHz"), false), "");
    ASSERT_EQ(store.Save("two", VelmorText("16 KHz"), false), "");
    EXPECT_EQ(store.Rename("one", "two"), "A preset named \"two\" exists already.");
    EXPECT_EQ(store.Rename("one", "three"), "");
    EXPECT_EQ(Names(), (std::vector<std::string>{"three/Velmor", "two/Velmor"}));
    EXPECT_EQ(store.Delete("two"), "");
    EXPECT_EQ(store.Delete("two"), "There is no preset named \"two\".");

    const std::string shared = dir.File("shared.esc.txt");
    EXPECT_EQ(store.Export("three", shared), "");
    EXPECT_EQ(ReadBytes(shared), VelmorText("8 KHz"));
    EXPECT_EQ(store.Import(shared, "", false), "");  // named after the file
    EXPECT_EQ(store.Import(shared, "three", false), "A preset named \"three\" exists already.");
    EXPECT_EQ(Names(), (std::vector<std::string>{"shared/Velmor", "three/Velmor"}));

    // What would fail when applied is refused when imported.
    WriteFile(shared, VelmorText("9 KHz"));
    EXPECT_NE(store.Import(shared, "bad", false).find("\"9 KHz\" is no value of PWM Rate"),
              std::string::npos);
    WriteFile(shared, "Tavix ESC parameters\nSeries: Zephyr\n");
    EXPECT_NE(store.Import(shared, "bad", false).find("the Zephyr series, which this program"),
              std::string::npos);
    WriteFile(shared, "hello\n");
    EXPECT_NE(store.Import(shared, "bad", false).find("is not a Tavix ESC parameter file"),
              std::string::npos);
    EXPECT_EQ(Names().size(), 2u);
}

}  // namespace
}  // namespace tavix::test
