#include "ImageWriter.h"

#include <gif_lib.h>

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImageWriter>
#include <algorithm>
#include <climits>
#include <vector>

#include "base/AtomicFile.h"
#include "exports/ImageNames.h"

namespace tavix {

namespace {

int AppendToBuffer(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
    return length;
}

const char* QtFormatOf(ImageFormat format) {
    switch (format) {
        case ImageFormat::Jpeg:
            return "JPEG";
        case ImageFormat::Bmp:
            return "BMP";
        case ImageFormat::Png:
            return "PNG";
        case ImageFormat::Gif:
        case ImageFormat::Unknown:
            break;
    }
    return nullptr;
}

void SetReason(QString* reason, const QString& text) {
    if (reason != nullptr) {
        *reason = text;
    }
}

// A chart has few colours (background, grid, curves) and some shades of
// smoothed text: the most frequent colours are kept exactly, up to 256, and
// any other pixel takes the nearest of them, without dithering.
QImage ToPaletteImage(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, qsizetype> counts;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            ++counts[line[x] | 0xFF000000u];
        }
    }
    std::vector<std::pair<qsizetype, QRgb>> byCount;
    byCount.reserve(static_cast<std::size_t>(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        byCount.emplace_back(it.value(), it.key());
    }
    std::sort(byCount.begin(), byCount.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    const std::size_t size = std::min<std::size_t>(byCount.size(), 256);
    QList<QRgb> table;
    QHash<QRgb, int> index;
    for (std::size_t i = 0; i < size; ++i) {
        table.append(byCount[i].second);
        index.insert(byCount[i].second, static_cast<int>(i));
    }
    auto nearest = [&table](QRgb colour) {
        int best = 0;
        int bestDistance = INT_MAX;
        for (int i = 0; i < table.size(); ++i) {
            const int dr = qRed(colour) - qRed(table[i]);
            const int dg = qGreen(colour) - qGreen(table[i]);
            const int db = qBlue(colour) - qBlue(table[i]);
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        return best;
    };
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = line[x] | 0xFF000000u;
            auto it = index.constFind(colour);
            if (it == index.constEnd()) {
                it = index.insert(colour, nearest(colour));
            }
            out[x] = static_cast<uchar>(it.value());
        }
    }
    return indexed;
}

}  // namespace

QByteArray EncodeGif(const QImage& image) {
    if (image.isNull()) {
        return QByteArray();
    }
    const QImage indexed = ToPaletteImage(image);
    const QList<QRgb> table = indexed.colorTable();
    // GIF palettes have 2, 4, ... 256 entries; the unused ones stay black.
    int bits = 1;
    while ((1 << bits) < table.size()) {
        ++bits;
    }
    std::vector<GifColorType> colours(static_cast<std::size_t>(1) << bits, GifColorType{0, 0, 0});
    for (qsizetype i = 0; i < table.size(); ++i) {
        colours[static_cast<std::size_t>(i)] = {static_cast<GifByteType>(qRed(table[i])),
                                                static_cast<GifByteType>(qGreen(table[i])),
                                                static_cast<GifByteType>(qBlue(table[i]))};
    }
    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendToBuffer, &error);
    if (gif == nullptr) {
        return QByteArray();
    }
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    bool ok =
        map != nullptr &&
        EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map) == GIF_OK &&
        EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < indexed.height(); ++y) {
        // giflib takes a writable row but does not change it.
        auto* row = const_cast<GifPixelType*>(indexed.constScanLine(y));
        ok = EGifPutLine(gif, row, indexed.width()) == GIF_OK;
    }
    GifFreeMapObject(map);
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    return ok ? bytes : QByteArray();
}

bool WriteImageFile(const QImage& image, const QString& path, QString* reason) {
    const ImageFormat format = ImageFormatOf(path.toStdString());
    if (format == ImageFormat::Unknown) {
        SetReason(reason, QStringLiteral("no image format has this extension"));
        return false;
    }
    QByteArray bytes;
    if (format == ImageFormat::Gif) {
        bytes = EncodeGif(image);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, QtFormatOf(format));
        if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
            SetReason(reason, writer.errorString());
            return false;
        }
    }
    if (bytes.isEmpty()) {
        SetReason(reason, QStringLiteral("the image could not be encoded"));
        return false;
    }
    // The same whole-or-nothing write as every other file, so a kill leaves
    // no temporary of another kind beside the image.
    std::string error;
    if (!WriteFileAtomically(
            QFile::encodeName(path).toStdString(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &error)) {
        SetReason(reason, QString::fromLocal8Bit(error.c_str()));
        return false;
    }
    return true;
}

}  // namespace tavix
