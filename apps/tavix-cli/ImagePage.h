#pragma once
// What the commands that draw a record page (image, compare --image) share:
// the page size they accept and the page drawn off-screen.
#include <QImage>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "plot/PlotStack.h"

namespace tavix {
class CIniFile;
class RecordPage;
}  // namespace tavix

namespace tavix::cli {

inline constexpr int kDefaultImageWidth = 1024;
inline constexpr int kDefaultImageHeight = 640;
inline constexpr const char* kMsgBadSize =
    "--size wants WIDTHxHEIGHT, from 480x320 to 8000x8000 pixels, e.g. 1024x640";
inline constexpr const char* kMsgImageOverRecord =
    "The image file %s would replace the record it is made from: choose another name.";

// "WxH" within the sizes a page can be laid out in; false otherwise.
bool ParseSize(const std::string& text, int& width, int& height);

// Lays `page` out at `width` x `height` without showing it on a screen.
void LayOutOffScreen(RecordPage& page, int width, int height);

// Where a drawn page goes: the size asked for with --size (or the default)
// and the image file, its name given the extension of its format.
struct ImageTarget {
    int width = kDefaultImageWidth;
    int height = kDefaultImageHeight;
    std::string path;
    // --layout; none: config.ini's, as the window would show it.
    std::optional<PlotLayout> layout;
};
inline constexpr const char* kMsgBadLayout = "--layout takes stacked or overlay, not ";
// The layout of the curves and the stacked layout's curves: `target`'s,
// else config.ini's, as the window shows them.
void ApplyLayout(RecordPage& page, const ImageTarget& target, const CIniFile& ini);
// Fills `target` from --size and `outArg`. Refuses a bad size, an image file
// that is one of `records` (or a link to one: a record is never drawn over)
// and a process without the application that draws. Returns the exit code to
// end with, or nothing to go on.
std::optional<int> PrepareImage(const Invocation& call, const std::string& outArg,
                                const std::vector<std::string>& records, ImageTarget& target);
// `page` drawn with every part whole (no scroll bars, none of its commands)
// at `target`'s size, grown where its parts need more room.
QImage DrawWholePage(RecordPage& page, const ImageTarget& target);
// Writes `image` to `path` and prints the path; the exit code.
int SaveImage(const Io& io, const QImage& image, const std::string& path);

}  // namespace tavix::cli
