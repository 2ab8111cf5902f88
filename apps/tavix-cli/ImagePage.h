#pragma once
// What the commands that draw a record page (image, compare --image) share:
// the page size they accept and the page drawn off-screen.
#include <QImage>
#include <string>

namespace tavix {
class RecordPage;
}

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

}  // namespace tavix::cli
