// A record file opened as a flight of its own: two loads give two
// independent flights, the settings file is read once into a calibration
// book, and the window's current flight is never touched.
#include "records/RecordFile.h"

#include <gtest/gtest.h>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "config/CalibrationBook.h"
#include "core/records/RecordTestData.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"

namespace tavix {
namespace {

TEST(LoadRecordFile, EachLoadIsAFlightOfItsOwnAndTheCurrentOneStays) {
    CIniFile ini;
    test::AddProfile(ini, "1L40", 0.1f, 0.000001f);
    CAppConfig config;
    CTavixDoc doc(config, ini);
    doc.Record().header.samples = 7;
    const std::string before = EncodeRecordFile(doc.Record());

    const std::string first = EncodeRecordFile(*test::MakeRecord(5, 64));
    auto second = test::MakeRecord(3, 20);
    SetFixedText(second->header.note, "second flight");
    const std::string secondBytes = EncodeRecordFile(*second);

    // The book outlives the settings file it was read from.
    std::unique_ptr<CalibrationBook> book;
    {
        CIniFile copy = ini;
        book = std::make_unique<CalibrationBook>(CalibrationBook::FromIni(copy));
    }
    RecordForm form;
    std::string message;
    const auto a = LoadRecordFile(first, "a.dat", *book, form, message);
    const auto b = LoadRecordFile(secondBytes, "b.dat", *book, form, message);
    ASSERT_TRUE(a && b) << message;
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(a->record.header.channels, 5);
    EXPECT_EQ(b->record.header.channels, 3);
    EXPECT_EQ(form.note, "second flight");
    EXPECT_TRUE(a->record.dataLoaded);
    EXPECT_EQ(a->record.calibration[kVoltage].k, 0.1f);

    // Converting one changes neither the other nor the current flight.
    a->Convert({1, 1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(a->conversion.samples, 64);
    EXPECT_EQ(b->conversion.samples, 0);
    EXPECT_EQ(EncodeRecordFile(doc.Record()), before);
    EXPECT_FALSE(doc.Record().dataLoaded);

    // Channels a file does not hold come from the base record when one is given.
    SetFixedText(doc.Record().channels[6].name, "kept channel 6");
    const auto c = LoadRecordFile(secondBytes, "b.dat", *book, form, message, &doc.Record());
    ASSERT_TRUE(c);
    EXPECT_EQ(FixedText(c->record.channels[6].name), "kept channel 6");
    EXPECT_EQ(FixedText(b->record.channels[6].name), "");
}

TEST(LoadRecordFile, UnknownHardwareAndBadBytesGiveNoFlight) {
    CIniFile ini;
    test::AddProfile(ini, "1L40", 0.1f, 0.000001f);
    const CalibrationBook book = CalibrationBook::FromIni(ini);
    EXPECT_NE(book.Find("1L40"), nullptr);
    EXPECT_EQ(book.Find("9Z99"), nullptr);

    RecordForm form;
    std::string message;
    EXPECT_FALSE(LoadRecordFile(EncodeRecordFile(*test::MakeRecord(5, 64, "9Z99")), "x.dat", book,
                                form, message));
    EXPECT_EQ(message, "No configure of 9Z99, record load failed");
    EXPECT_FALSE(LoadRecordFile("short", "y.dat", book, form, message));
    EXPECT_NE(message.find("y.dat"), std::string::npos);
}

}  // namespace
}  // namespace tavix
