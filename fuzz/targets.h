// SPDX-License-Identifier: GPL-3.0-or-later
// The fuzz targets. Each takes any bytes and returns an empty text when every
// property it checks held, otherwise the first property that failed. The
// libFuzzer programs abort on a failure; the regression tests run the kept
// inputs through the same functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvanta::fuzz {

// The entry check, the key filters and the coordinate look-up with arbitrary
// texts, list indexes and character codes; an accepted entry is then
// calculated and its chart checked.
std::string EntryChecks(const std::uint8_t* data, std::size_t size);

// The command line's batch reader with arbitrary bytes as its input stream.
std::string BatchReader(const std::uint8_t* data, std::size_t size);

// The births library's import with arbitrary bytes as its input.
std::string LibraryImport(const std::uint8_t* data, std::size_t size);

// The whole calculation with arbitrary entries whose every value lies in its
// list or range (the date may still be one the check refuses).
std::string WholeCalculation(const std::uint8_t* data, std::size_t size);

// The update reminder's stored "Duration" setting with arbitrary bytes, and
// the day it is compared with.
std::string SettingsDuration(const std::uint8_t* data, std::size_t size);

}  // namespace korvanta::fuzz
