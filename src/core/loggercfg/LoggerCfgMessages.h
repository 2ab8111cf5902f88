#pragma once
// The logger page's own words and its two lists, kept in one place so the
// page, the command-line tool and the tests use the very same texts.

#include <array>
#include <cstdint>

#include "base/Translate.h"
#include "link/LinkMessages.h"

namespace tavix {

// Messages.
inline constexpr const char* kMsgConfirmLoggerUpdate = TAVIX_TR("Are you sure you want to update?");
inline constexpr const char* kMsgLoggerUpdated = TAVIX_TR("Logger parameter value updated!");
inline constexpr const char* kMsgUpdateTimeout = TAVIX_TR("Time out, update failure!");

// Captions.
inline constexpr const char* kLoggerGroupCaption = TAVIX_TR("Logger Parameters");
inline constexpr const char* kLabelCycleRecord = TAVIX_TR("Cycle Record:");
inline constexpr const char* kLabelSamplingRate = TAVIX_TR("Sampling Rate:");
inline constexpr const char* kLabelFlightTimes = TAVIX_TR("Flight Times:");
inline constexpr const char* kLabelLoggerStatus = TAVIX_TR("Status:");
inline constexpr const char* kBtnLoggerDefault = TAVIX_TR("Default Value");
inline constexpr const char* kBtnLoggerUpdate = TAVIX_TR("Update");

// "Cycle Record:": index 1 writes header byte 20 = 1, index 0 writes 0; after
// a read, only a byte 20 of exactly 1 selects "reverse".
inline constexpr std::array<const char*, 2> kCycleTexts = {TAVIX_TR("not reverse"),
                                                           TAVIX_TR("reverse")};

// "Sampling Rate:": the text shown and header byte 22 (samples per second).
struct SamplingRate {
    const char* text;
    std::uint8_t value;
};
inline constexpr std::array<SamplingRate, 7> kSamplingRates = {{
    {"1 ps", 1},
    {"2 ps", 2},
    {"3 ps", 3},
    {"5 ps", 5},
    {"10 ps", 10},
    {"15 ps", 15},
    {"30 ps", 30},
}};

// The list index of a header rate byte, or -1 when the list has no such rate.
constexpr int RateIndexOf(std::uint8_t value) {
    for (std::size_t i = 0; i < kSamplingRates.size(); ++i) {
        if (kSamplingRates[i].value == value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace tavix
