#include "GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

#include "base/PathText.h"

namespace tavix {

namespace {

constexpr const char* kCodec = "GBK";
constexpr const char* kWideCodec = "GB18030";

bool WideAvailable() {
    static const bool available =
        QStringDecoder(kWideCodec).isValid() && QStringEncoder(kWideCodec).isValid();
    return available;
}

// Two-byte GBK symbols that appear in the program's own texts and settings.
struct Pair {
    unsigned char lead;
    unsigned char trail;
    char16_t unicode;
};
constexpr std::array<Pair, 4> kKnownPairs = {{
    {0xA1, 0xE6, u'\u2103'},  // degree Celsius
    {0xA1, 0xE3, u'\u00B0'},  // degree
    {0xA1, 0xC1, u'\u00D7'},  // multiplication sign
    {0xA1, 0xA3, u'\u3002'},  // ideographic full stop
}};

}  // namespace

bool GbkAvailable() {
    static const bool available =
        QStringDecoder(kCodec).isValid() && QStringEncoder(kCodec).isValid();
    return available;
}

QString FromGbk(const std::string& bytes, bool* ok) {
    if (!GbkAvailable()) {
        return gbk_detail::FromGbkFallback(bytes, ok);
    }
    // Stateless: a character cut off at the end counts as an error instead
    // of waiting for bytes that will never come.
    QStringDecoder decoder(WideAvailable() ? kWideCodec : kCodec,
                           QStringConverter::Flag::Stateless);
    QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (ok) {
        *ok = !decoder.hasError();
    }
    return text;
}

std::string ToGbk(const QString& text, bool* ok) {
    if (!GbkAvailable()) {
        return gbk_detail::ToGbkFallback(text, ok);
    }
    QStringEncoder encoder(kCodec);
    const QByteArray bytes = encoder(text);
    if (ok) {
        // The codec puts a substitute in for a character GBK lacks without
        // always flagging it; reading the bytes back shows it.
        *ok = !encoder.hasError() && QStringDecoder(kCodec).decode(bytes) == text;
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string PathToGbk(const std::string& path) {
    if (!WideAvailable()) {
        return path;  // no converter: the bytes as they are, as before
    }
    QStringEncoder encoder(kWideCodec);
    const QByteArray bytes = encoder(QString::fromLocal8Bit(path.c_str()));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void InstallPathText() {
    SetPathTextConverter(&PathToGbk);
}

namespace gbk_detail {

QString FromGbkFallback(const std::string& bytes, bool* ok) {
    QString text;
    bool good = true;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            text += QChar(b);
            continue;
        }
        bool known = false;
        if (i + 1 < bytes.size()) {
            const auto t = static_cast<unsigned char>(bytes[i + 1]);
            for (const Pair& p : kKnownPairs) {
                if (p.lead == b && p.trail == t) {
                    text += QChar(p.unicode);
                    known = true;
                    break;
                }
            }
            if (!known && b >= 0x81 && b <= 0xFE && t >= 0x40 && t != 0x7F && t != 0xFF) {
                // A two-byte character this table does not know: one replacement for both.
                text += QChar(QChar::ReplacementCharacter);
                good = false;
                ++i;
                continue;
            }
        }
        if (known) {
            ++i;
        } else {
            text += QChar(QChar::ReplacementCharacter);
            good = false;
        }
    }
    if (ok) {
        *ok = good;
    }
    return text;
}

std::string ToGbkFallback(const QString& text, bool* ok) {
    std::string bytes;
    bool good = true;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            bytes += static_cast<char>(u);
            continue;
        }
        bool known = false;
        for (const Pair& p : kKnownPairs) {
            if (p.unicode == u) {
                bytes += static_cast<char>(p.lead);
                bytes += static_cast<char>(p.trail);
                known = true;
                break;
            }
        }
        if (!known) {
            bytes += '?';
            good = false;
        }
    }
    if (ok) {
        *ok = good;
    }
    return bytes;
}

}  // namespace gbk_detail

}  // namespace tavix
