#pragma once
// Writes a picture to an image file in the format its extension names: JPEG,
// BMP and PNG through Qt's writers, GIF through giflib (Qt reads GIF but
// cannot write it). The file is written beside the target and renamed over it
// only when every byte is there, so a failed save leaves an older file whole.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tavix {

// False (with `reason`, when given) for an extension no writer knows or a
// failed write.
bool WriteImageFile(const QImage& image, const QString& path, QString* reason = nullptr);

// The GIF file bytes of `image`: at most 256 colours (more are reduced), the
// palette padded to a power of two as GIF needs. Empty on failure.
QByteArray EncodeGif(const QImage& image);

}  // namespace tavix
