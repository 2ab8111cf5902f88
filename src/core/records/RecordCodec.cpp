#include "records/RecordCodec.h"

#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>

namespace tavix {

namespace {

// Appends little-endian values.
class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}

    void U8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) {
            U8(static_cast<std::uint8_t>(v >> shift));
        }
    }
    void U64(std::uint64_t v) {
        for (int shift = 0; shift < 64; shift += 8) {
            U8(static_cast<std::uint8_t>(v >> shift));
        }
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void I64(std::int64_t v) { U64(static_cast<std::uint64_t>(v)); }
    void F32(float v) { U32(std::bit_cast<std::uint32_t>(v)); }
    template <typename T, std::size_t N>
    void Raw(const std::array<T, N>& bytes) {
        static_assert(sizeof(T) == 1);
        out_.append(reinterpret_cast<const char*>(bytes.data()), N);
    }

private:
    std::string& out_;
};

// Reads little-endian values from the front of a buffer known to be long enough.
class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}

    std::uint8_t U8() { return static_cast<std::uint8_t>(in_[pos_++]); }
    std::uint16_t U16() {
        const std::uint16_t lo = U8();
        return static_cast<std::uint16_t>(lo | (U8() << 8));
    }
    std::uint32_t U32() {
        std::uint32_t v = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            v |= static_cast<std::uint32_t>(U8()) << shift;
        }
        return v;
    }
    std::uint64_t U64() {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 8) {
            v |= static_cast<std::uint64_t>(U8()) << shift;
        }
        return v;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::int64_t I64() { return static_cast<std::int64_t>(U64()); }
    float F32() { return std::bit_cast<float>(U32()); }
    template <typename T, std::size_t N>
    void Raw(std::array<T, N>& bytes) {
        static_assert(sizeof(T) == 1);
        std::memcpy(bytes.data(), in_.data() + pos_, N);
        pos_ += N;
    }
    std::size_t Position() const { return pos_; }

private:
    std::string_view in_;
    std::size_t pos_ = 0;
};

}  // namespace

void Encode(const RecordHeader& h, std::string& out) {
    Writer w(out);
    w.I64(h.timeA);
    w.I64(h.timeB);
    w.I32(h.samples);
    w.I32(h.channels);
    w.U8(h.rate);
    w.Raw(h.padding);
    w.F32(h.gearRate);
    w.I32(h.poles);
    w.Raw(h.version);
    w.Raw(h.hwCode);
    w.Raw(h.note);
    w.I32(h.yAxis);
}

void Encode(const LoggerBlock& b, std::string& out) {
    Writer w(out);
    w.U16(b.lastAddress);
    w.U16(b.firstAddress);
    w.I32(b.channels);
    w.U8(b.cycle);
    w.Raw(b.padding1);
    w.I32(b.rate);
    w.U8(b.flightCount);
    w.Raw(b.endAddresses);
    w.Raw(b.padding2);
}

void Encode(const AxisRanges& ranges, std::string& out) {
    Writer w(out);
    for (const AxisRange& r : ranges) {
        w.F32(r.min);
        w.F32(r.max);
    }
}

void Encode(const ChannelInfo& c, std::string& out) {
    Writer w(out);
    w.Raw(c.name);
    w.Raw(c.index);
    w.I32(c.statA);
    w.I32(c.statB);
    w.I32(c.statC);
    w.I32(c.statD);
    w.U32(c.colour);
    w.I32(c.line);
    w.U8(c.visible);
    w.Raw(c.padding);
}

RecordHeader DecodeHeader(std::string_view in) {
    assert(in.size() >= RecordHeader::kSize);
    Reader r(in);
    RecordHeader h;
    h.timeA = r.I64();
    h.timeB = r.I64();
    h.samples = r.I32();
    h.channels = r.I32();
    h.rate = r.U8();
    r.Raw(h.padding);
    h.gearRate = r.F32();
    h.poles = r.I32();
    r.Raw(h.version);
    r.Raw(h.hwCode);
    r.Raw(h.note);
    h.yAxis = r.I32();
    assert(r.Position() == RecordHeader::kSize);
    return h;
}

LoggerBlock DecodeLoggerBlock(std::string_view in) {
    assert(in.size() >= LoggerBlock::kSize);
    Reader r(in);
    LoggerBlock b;
    b.lastAddress = r.U16();
    b.firstAddress = r.U16();
    b.channels = r.I32();
    b.cycle = r.U8();
    r.Raw(b.padding1);
    b.rate = r.I32();
    b.flightCount = r.U8();
    r.Raw(b.endAddresses);
    r.Raw(b.padding2);
    assert(r.Position() == LoggerBlock::kSize);
    return b;
}

AxisRanges DecodeAxisRanges(std::string_view in) {
    assert(in.size() >= kAxisRangesSize);
    Reader r(in);
    AxisRanges ranges;
    for (AxisRange& range : ranges) {
        range.min = r.F32();
        range.max = r.F32();
    }
    return ranges;
}

ChannelInfo DecodeChannelInfo(std::string_view in) {
    assert(in.size() >= ChannelInfo::kSize);
    Reader r(in);
    ChannelInfo c;
    r.Raw(c.name);
    r.Raw(c.index);
    c.statA = r.I32();
    c.statB = r.I32();
    c.statC = r.I32();
    c.statD = r.I32();
    c.colour = r.U32();
    c.line = r.I32();
    c.visible = r.U8();
    r.Raw(c.padding);
    assert(r.Position() == ChannelInfo::kSize);
    return c;
}

}  // namespace tavix
