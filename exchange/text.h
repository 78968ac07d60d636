// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of other programs' files: names made fit for the name box, UTF-8
// checked or made from Windows-1252, and lines read without holding an
// overlong one in memory.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace korvanta::exchange {

// A name as the name box takes it: A-Z in capitals and single blanks. Small
// letters become capitals, accented Latin letters their base letter, and
// any other run of characters one blank. Empty when no letter is left.
std::string NameForNameBox(std::string_view text);

// `text` as UTF-8: as it is when it already is, else read as Windows-1252
// (what older programs on Windows write). `converted` tells which.
std::string AsUtf8(std::string_view text, bool* converted = nullptr);
bool IsValidUtf8(std::string_view text);
// The offset of the first byte that is not part of valid UTF-8, or npos.
std::size_t InvalidUtf8At(std::string_view text);

// The byte offset of the first control character (below 0x20 or 0x7F) in
// `text`, or npos; tabs and line breaks count too.
std::size_t ControlCharacterAt(std::string_view text);

// Reads lines of at most `maxBytes` bytes. Of a longer line only the first
// `maxBytes` bytes are kept, the rest is passed over without being held in
// memory, and it is reported as TooLong with its length; CR before the line
// feed and a missing final line feed are accepted.
class LineReader {
  public:
    LineReader(std::istream& in, std::size_t maxBytes) : in_(in), max_(maxBytes) {}
    enum class Status { Line, TooLong, End };
    Status Next(std::string& line);
    long Number() const { return number_; }                  // of the line just read
    std::uint64_t SkippedBytes() const { return skipped_; }  // length of a TooLong line

  private:
    std::istream& in_;
    std::size_t max_;
    long number_ = 0;
    std::uint64_t skipped_ = 0;
};

// Whether two ASCII texts are equal but for the case of letters.
bool SameLetters(std::string_view a, std::string_view b);

}  // namespace korvanta::exchange
