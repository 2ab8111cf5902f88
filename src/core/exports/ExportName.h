#pragma once
// The name an export proposes in its save dialog: "Untitled_<year>_<month>_
// <day>_<n>" on the local date, without leading zeros. Each kind of export
// (CSV, chart image) keeps its own n: it starts at 1 when the program starts
// and grows by one each time the user confirms the dialog, so two exports on
// one day propose _1 and _2, and a cancelled dialog proposes the same name again.

#include <string>

#include "shell/Clock.h"

namespace tavix {

inline constexpr const char* kExportNameFormat = "Untitled_%d_%d_%d_%d";

class ExportNameCounter {
public:
    std::string Propose(const LocalTime& now) const;
    // The user confirmed the dialog (whatever name was chosen).
    void Confirm() { ++next_; }
    int Next() const { return next_; }

private:
    int next_ = 1;
};

// `path` with `extension` (".csv") appended when its file name has none.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace tavix
