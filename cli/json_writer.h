// SPDX-License-Identifier: GPL-3.0-or-later
// Compact JSON written straight into a text buffer, for the chart lines of
// batch mode and the chart object: no document is built. The text is the one
// nlohmann::json's compact dump gives for the same values (strings escaped
// alike, invalid UTF-8 replaced alike, doubles in the same shortest form), so
// that either can write any part of a line.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace korvanta {

// The writer works in room it makes at the end of `out` and hands the text
// over when it is destroyed or Flush is called: until then `out` may hold
// unwritten bytes past the text, and nothing else may read or change it.
class JsonWriter {
  public:
    // Appends to `out`, which keeps what it holds.
    explicit JsonWriter(std::string& out) : out_(out) {}
    ~JsonWriter() { Flush(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    // Leaves `out` holding exactly the text written so far. Writing may go
    // on afterwards, after anything others appended to `out` meanwhile.
    void Flush() {
        if (cur_ == nullptr) return;
        out_.resize(static_cast<std::size_t>(cur_ - out_.data()));
        cur_ = end_ = nullptr;
    }

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }

    // The key of the next value in the current object: one of the program's
    // own names, written as it is (no escaping).
    JsonWriter& Key(std::string_view key) {
        BeforeValue();
        char* p = Room(key.size() + 3);
        *p++ = '"';
        std::memcpy(p, key.data(), key.size());
        p += key.size();
        *p++ = '"';
        *p++ = ':';
        cur_ = p;
        afterKey_ = true;
        return *this;
    }

    void String(std::string_view text);
    void Int(long long value);
    // A double as nlohmann::json writes it: the shortest text that reads back
    // as the same double, "1.0" for whole numbers, null when not finite.
    void Double(double value);
    void Bool(bool value);
    void Null();
    // A value that is JSON text already, written as it is.
    void Raw(std::string_view json);

    template <typename Number>
    void Optional(const std::optional<Number>& value) {
        if (!value) {
            Null();
        } else if constexpr (std::is_floating_point_v<Number>) {
            Double(*value);
        } else {
            Int(*value);
        }
    }

    // A string made of pieces: BeginString, then any number of StringPart
    // (each escaped as part of one text), then EndString.
    void BeginString();
    void StringPart(std::string_view text);
    void EndString() { Put('"'); }

  private:
    void Open(char bracket);
    void Close(char bracket);
    // The comma before a value in an array or a key in an object (after a
    // key, none is due).
    void BeforeValue() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (depth_ == 0) return;
        const std::uint64_t bit = std::uint64_t{1} << (depth_ - 1);
        if ((filled_ & bit) != 0) Put(',');
        filled_ |= bit;
    }

    // Where the next `size` bytes go.
    char* Room(std::size_t size) {
        if (static_cast<std::size_t>(end_ - cur_) < size) Grow(size);
        return cur_;
    }
    void Grow(std::size_t size);
    void Put(char c) {
        *Room(1) = c;
        ++cur_;
    }
    void Put(std::string_view text) {
        char* p = Room(text.size());
        std::memcpy(p, text.data(), text.size());
        cur_ = p + text.size();
    }
    // Escapes `text` as a JSON string's contents (without the quotes), as
    // nlohmann::json's dump with the replacing error handler does.
    void Escaped(std::string_view text);
    bool EscapedWellFormed(std::string_view text);

    std::string& out_;
    // The room being written: the text ends at cur_, the room at end_ (both
    // null while `out_` holds exactly the text).
    char* cur_ = nullptr;
    char* end_ = nullptr;
    // Per nesting level (64 deep at most): whether the container holds a
    // value already.
    std::uint64_t filled_ = 0;
    int depth_ = 0;
    bool afterKey_ = false;
};

}  // namespace korvanta
