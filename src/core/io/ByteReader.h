// ByteReader: the one checked little-endian reader for every binary file the
// program opens (models, projects, templates). Every read checks what remains
// and throws ShortRead when the data runs out; counts taken from a file are
// meant to be checked with Fits() before anything is sized by them.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>

namespace tessaly {

class ShortRead : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

    // True when `count` elements of `elementSize` bytes are still in the data.
    bool Fits(std::int64_t count, std::size_t elementSize) const {
        if (count < 0) return false;
        if (elementSize == 0) return true;
        return static_cast<std::uint64_t>(count) <= Remaining() / elementSize;
    }

    std::uint8_t U8() {
        Need(1);
        return data_[pos_++];
    }
    std::uint16_t U16() {
        Need(2);
        std::uint16_t v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::uint32_t U32() {
        Need(4);
        std::uint32_t v = static_cast<std::uint32_t>(data_[pos_]) |
                          (static_cast<std::uint32_t>(data_[pos_ + 1]) << 8) |
                          (static_cast<std::uint32_t>(data_[pos_ + 2]) << 16) |
                          (static_cast<std::uint32_t>(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    float F32() { return std::bit_cast<float>(U32()); }

    // `n` raw bytes.
    std::span<const std::uint8_t> Bytes(std::size_t n) {
        Need(n);
        auto s = data_.subspan(pos_, n);
        pos_ += n;
        return s;
    }
    std::string String(std::size_t n) {
        auto b = Bytes(n);
        return std::string(reinterpret_cast<const char*>(b.data()), b.size());
    }
    void Skip(std::size_t n) { Bytes(n); }

private:
    void Need(std::size_t n) const {
        if (n > Remaining())
            throw ShortRead("unexpected end of data at byte " + std::to_string(pos_) + " (" +
                            std::to_string(n) + " more needed, " + std::to_string(Remaining()) +
                            " left)");
    }

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

}  // namespace tessaly
