// SPDX-License-Identifier: GPL-3.0-or-later
// Compact JSON written straight into a text buffer, for the chart lines of
// batch mode and the chart object: no document is built. The text is the one
// nlohmann::json's compact dump gives for the same values (strings escaped
// alike, invalid UTF-8 replaced alike, doubles in the same shortest form), so
// that either can write any part of a line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace korvanta {

class JsonWriter {
  public:
    // Appends to `out`, which keeps what it holds.
    explicit JsonWriter(std::string& out) : out_(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }

    // The key of the next value in the current object: one of the program's
    // own names, written as it is (no escaping).
    JsonWriter& Key(std::string_view key) {
        BeforeValue();
        out_ += '"';
        out_ += key;
        out_ += "\":";
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
    void EndString() { out_ += '"'; }

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
        if ((filled_ & bit) != 0) out_ += ',';
        filled_ |= bit;
    }

    std::string& out_;
    // Per nesting level (64 deep at most): whether the container holds a
    // value already.
    std::uint64_t filled_ = 0;
    int depth_ = 0;
    bool afterKey_ = false;
};

// Appends `text` to `out` escaped as a JSON string's contents (without the
// quotes), as nlohmann::json's dump with the replacing error handler does.
void AppendJsonEscaped(std::string& out, std::string_view text);

}  // namespace korvanta
