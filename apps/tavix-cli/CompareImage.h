#pragma once
// tavix-cli compare --image: the record page comparing the records, drawn
// off-screen as the window shows it (curves of every record with the legend,
// the difference table) and saved as an image file.
#include <string>
#include <vector>

#include "analysis/FlightCompare.h"

namespace tavix::cli {

struct Invocation;

// Draws the comparison of `paths` (the reference first) aligned by `align`
// into the image file named by --image (--size WxH); prints the file's path.
// A record that cannot be opened is named with its reason: exit 1.
int RunCompareImage(const Invocation& call, const std::vector<std::string>& paths,
                    const AlignRequest& align);

}  // namespace tavix::cli
