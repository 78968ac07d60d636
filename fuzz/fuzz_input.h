// SPDX-License-Identifier: GPL-3.0-or-later
// Reads typed values from a fuzzer's bytes. Every read is total: once the
// bytes run out, numbers come back as their lowest value and texts empty, so
// any input, however short, describes one complete case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace korvanta::fuzz {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

    bool Flag() { return (Byte() & 1) != 0; }

    // Any 32-bit value, the extremes included.
    std::int32_t AnyInt() {
        std::uint32_t bits = 0;
        for (int k = 0; k < 4; ++k) bits = (bits << 8) | Byte();
        std::int32_t value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A value in [low, high] (high - low below 65,536).
    int IntIn(int low, int high) {
        const unsigned span = static_cast<unsigned>(high - low) + 1;
        const unsigned raw = (static_cast<unsigned>(Byte()) << 8) | Byte();
        return low + static_cast<int>(raw % span);
    }

    // A text of at most `maxLength` bytes: a length byte, then that many bytes.
    std::string Text(std::size_t maxLength) {
        std::size_t length = Byte() % (maxLength + 1);
        if (length > size_ - at_) length = size_ - at_;
        std::string text(reinterpret_cast<const char*>(data_ + at_), length);
        at_ += length;
        return text;
    }

    // Everything not read yet.
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
        at_ = size_;
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace korvanta::fuzz
