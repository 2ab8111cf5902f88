#include "records/RecordCodec.h"

#include <bit>
#include <cassert>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/Translate.h"
#include "records/RecordMessages.h"

namespace tavix {

namespace {

using ull = unsigned long long;

// Appends each field little-endian; byte arrays as they are.
class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}

    template <typename T>
    void operator()(const T& value) {
        if constexpr (std::is_same_v<T, float>) {
            (*this)(std::bit_cast<std::uint32_t>(value));
        } else {
            static_assert(std::is_integral_v<T>);
            const auto bits = static_cast<std::make_unsigned_t<T>>(value);
            for (std::size_t i = 0; i < sizeof(T); ++i) {
                out_.push_back(static_cast<char>(bits >> (8 * i)));
            }
        }
    }
    template <typename T, std::size_t N>
    void operator()(const std::array<T, N>& bytes) {
        static_assert(sizeof(T) == 1);
        out_.append(reinterpret_cast<const char*>(bytes.data()), N);
    }

private:
    std::string& out_;
};

// Reads each field little-endian from the front of a buffer known to be long enough.
class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}

    template <typename T>
    void operator()(T& value) {
        if constexpr (std::is_same_v<T, float>) {
            std::uint32_t bits = 0;
            (*this)(bits);
            value = std::bit_cast<float>(bits);
        } else {
            static_assert(std::is_integral_v<T>);
            std::make_unsigned_t<T> bits = 0;
            for (std::size_t i = 0; i < sizeof(T); ++i) {
                bits |= static_cast<std::make_unsigned_t<T>>(
                    static_cast<std::make_unsigned_t<T>>(static_cast<std::uint8_t>(in_[pos_++]))
                    << (8 * i));
            }
            value = static_cast<T>(bits);
        }
    }
    template <typename T, std::size_t N>
    void operator()(std::array<T, N>& bytes) {
        static_assert(sizeof(T) == 1);
        std::memcpy(bytes.data(), in_.data() + pos_, N);
        pos_ += N;
    }
    std::size_t Position() const { return pos_; }

private:
    std::string_view in_;
    std::size_t pos_ = 0;
};

// The field order of each part, one list for both directions, so writing and
// reading can never disagree. `Part` is the struct, const when writing.
template <typename Io, typename Part>
void HeaderFields(Io& io, Part& h) {
    io(h.timeA);
    io(h.timeB);
    io(h.samples);
    io(h.channels);
    io(h.rate);
    io(h.padding);
    io(h.gearRate);
    io(h.poles);
    io(h.version);
    io(h.hwCode);
    io(h.note);
    io(h.yAxis);
}

template <typename Io, typename Part>
void LoggerBlockFields(Io& io, Part& b) {
    io(b.lastAddress);
    io(b.firstAddress);
    io(b.channels);
    io(b.cycle);
    io(b.padding1);
    io(b.rate);
    io(b.flightCount);
    io(b.endAddresses);
    io(b.padding2);
}

template <typename Io, typename Part>
void AxisRangesFields(Io& io, Part& ranges) {
    for (auto& range : ranges) {
        io(range.min);
        io(range.max);
    }
}

template <typename Io, typename Part>
void ChannelInfoFields(Io& io, Part& c) {
    io(c.name);
    io(c.index);
    io(c.statA);
    io(c.statB);
    io(c.statC);
    io(c.statD);
    io(c.colour);
    io(c.line);
    io(c.visible);
    io(c.padding);
}

template <typename Part, std::size_t Size, typename Fields>
Part Decode(std::string_view in, Fields fields) {
    assert(in.size() >= Size);
    Reader r(in);
    Part part{};
    fields(r, part);
    assert(r.Position() == Size);
    return part;
}

}  // namespace

void Encode(const RecordHeader& h, std::string& out) {
    Writer w(out);
    HeaderFields(w, h);
}

void Encode(const LoggerBlock& b, std::string& out) {
    Writer w(out);
    LoggerBlockFields(w, b);
}

void Encode(const AxisRanges& ranges, std::string& out) {
    Writer w(out);
    AxisRangesFields(w, ranges);
}

void Encode(const ChannelInfo& c, std::string& out) {
    Writer w(out);
    ChannelInfoFields(w, c);
}

RecordHeader DecodeHeader(std::string_view in) {
    return Decode<RecordHeader, RecordHeader::kSize>(
        in, [](Reader& r, RecordHeader& h) { HeaderFields(r, h); });
}

LoggerBlock DecodeLoggerBlock(std::string_view in) {
    return Decode<LoggerBlock, LoggerBlock::kSize>(
        in, [](Reader& r, LoggerBlock& b) { LoggerBlockFields(r, b); });
}

AxisRanges DecodeAxisRanges(std::string_view in) {
    return Decode<AxisRanges, kAxisRangesSize>(
        in, [](Reader& r, AxisRanges& ranges) { AxisRangesFields(r, ranges); });
}

ChannelInfo DecodeChannelInfo(std::string_view in) {
    return Decode<ChannelInfo, ChannelInfo::kSize>(
        in, [](Reader& r, ChannelInfo& c) { ChannelInfoFields(r, c); });
}

std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

namespace {

void PutU32(std::uint32_t value, std::string& out) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>(value >> (8 * i)));
    }
}

std::uint32_t GetU32(std::string_view in) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(in[static_cast<std::size_t>(i)]);
    }
    return value;
}

}  // namespace

namespace {

void PutSection(std::string_view tag, const std::string& payload, std::string& out) {
    std::string section(tag);
    PutU32(static_cast<std::uint32_t>(payload.size()), section);
    section += payload;
    const std::uint32_t crc = Crc32(section);
    out += section;
    PutU32(crc, out);
}

constexpr std::size_t kUploadPayload = 12;

}  // namespace

void EncodeExtension(const FlightRecord& record, std::string& out) {
    const bool upload = record.uploadTime != 0 || record.flightNumber != 0;
    if (record.escBlock.empty() && !upload && record.otherSections.empty()) {
        return;
    }
    out.append(kExtensionMagic);
    if (!record.escBlock.empty()) {
        PutSection(kEscBlockTag, record.escBlock, out);
    }
    if (upload) {
        std::string payload;
        const auto time = static_cast<std::uint64_t>(record.uploadTime);
        PutU32(static_cast<std::uint32_t>(time), payload);
        PutU32(static_cast<std::uint32_t>(time >> 32), payload);
        PutU32(static_cast<std::uint32_t>(record.flightNumber), payload);
        PutSection(kUploadTag, payload, out);
    }
    for (const std::string& section : record.otherSections) {
        out += section;
    }
}

std::size_t DecodeExtension(std::string_view tail, FlightRecord& into) {
    into.escBlock.clear();
    into.flightNumber = 0;
    into.uploadTime = 0;
    into.otherSections.clear();
    into.extensionDamage.clear();
    if (!tail.starts_with(kExtensionMagic)) {
        return 0;
    }
    std::size_t pos = kExtensionMagic.size();
    constexpr std::size_t kFrame = 4 + 4 + 4;  // tag, length, CRC
    for (int number = 1; pos < tail.size(); ++number) {
        // The tag as a reader can name it: letters and digits, anything else '?'.
        std::string tag(tail.substr(pos, 4));
        for (char& c : tag) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '?';
        }
        const std::uint32_t length =
            tail.size() - pos >= 8 ? GetU32(tail.substr(pos + 4)) : std::uint32_t{0};
        if (tail.size() - pos < kFrame || length > tail.size() - pos - kFrame) {
            into.extensionDamage =
                FormatShown(TAVIX_TR("section %d (%s) is cut short"), number, tag.c_str());
            break;
        }
        const std::string_view section = tail.substr(pos, 8 + length);
        if (Crc32(section) != GetU32(tail.substr(pos + 8 + length))) {
            into.extensionDamage =
                FormatShown(TAVIX_TR("section %d (%s) fails its checksum"), number, tag.c_str());
            break;  // nothing of it is taken
        }
        if (section.starts_with(kEscBlockTag)) {
            into.escBlock = std::string(section.substr(8));
        } else if (section.starts_with(kUploadTag) && length == kUploadPayload) {
            const std::string_view payload = section.substr(8);
            into.uploadTime = static_cast<std::int64_t>(
                GetU32(payload) | (static_cast<std::uint64_t>(GetU32(payload.substr(4))) << 32));
            into.flightNumber = static_cast<std::int32_t>(GetU32(payload.substr(8)));
        } else {
            into.otherSections.emplace_back(tail.substr(pos, kFrame + length));
        }
        pos += kFrame + length;
    }
    return pos;
}

std::string EncodeRecordFile(const FlightRecord& record) {
    const int channels = record.header.channels;
    const int samples = record.header.samples;
    std::string out;
    out.reserve(channels > 0 && samples > 0 ? RecordFileSize(channels, samples) : kRecordFixedSize);
    Encode(record.header, out);
    Encode(record.logger, out);
    Encode(record.ranges, out);
    for (int ch = 0; ch < channels && ch < kChannelCount; ++ch) {
        Encode(record.channels[ch], out);
        for (int j = 0; j < samples && j < kMaxSamples; ++j) {
            const auto v = static_cast<std::uint32_t>(record.raw[ch][j]);
            const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                                   static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
            out.append(bytes, 4);
        }
    }
    EncodeExtension(record, out);
    return out;
}

RecordReadResult DecodeRecordFile(std::string_view bytes, FlightRecord& into,
                                  const std::string& name) {
    RecordReadResult result;
    if (bytes.size() < kRecordFixedSize) {
        result.message = FormatShown(kMsgRecordTooShort, PathText(name).c_str(),
                                     ull{kRecordFixedSize}, static_cast<ull>(bytes.size()));
        return result;
    }
    const RecordHeader header = DecodeHeader(bytes);
    if (header.channels < 1 || header.channels > kChannelCount) {
        result.message =
            FormatShown(kMsgRecordBadChannels, PathText(name).c_str(), int{header.channels});
        return result;
    }
    if (header.samples < 1 || header.samples > kMaxSamples) {
        result.message =
            FormatShown(kMsgRecordBadSamples, PathText(name).c_str(), int{header.samples});
        return result;
    }
    const std::size_t needed = RecordFileSize(header.channels, header.samples);
    if (bytes.size() < needed) {
        result.message = FormatShown(kMsgRecordTooShort, PathText(name).c_str(),
                                     static_cast<ull>(needed), static_cast<ull>(bytes.size()));
        return result;
    }

    into.header = header;
    into.logger = DecodeLoggerBlock(bytes.substr(RecordHeader::kSize));
    into.ranges = DecodeAxisRanges(bytes.substr(RecordHeader::kSize + LoggerBlock::kSize));
    std::size_t pos = kRecordFixedSize;
    for (int ch = 0; ch < header.channels; ++ch) {
        into.channels[ch] = DecodeChannelInfo(bytes.substr(pos));
        pos += ChannelInfo::kSize;
        for (int j = 0; j < header.samples; ++j, pos += 4) {
            const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + pos);
            const std::uint32_t v =
                b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
            into.raw[ch][j] = static_cast<std::int32_t>(v);
        }
    }
    result.ok = true;
    const std::size_t extension = DecodeExtension(bytes.substr(needed), into);
    result.trailingBytes = bytes.size() - needed - extension;
    return result;
}

}  // namespace tavix
