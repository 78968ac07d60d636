// SPDX-License-Identifier: GPL-3.0-or-later
// Births as a spreadsheet: a header line and one birth a line,
//   name,date,time,latitude,longitude,zone,dst,city,state,country,note
// with the date as YYYY-MM-DD, the time as HH:MM:SS, coordinates as 28N36 and
// 77E12, the zone as its row's abbreviation ("IST") and dst as 1 or 0.
// Quoting as RFC 4180; UTF-8 (a byte-order mark may open the file).
#pragma once

#include <iosfwd>
#include <string>

#include "exchange/exchange.h"

namespace korvanta::exchange {

// The header line the writer puts first, without its line break.
inline constexpr std::string_view kCsvHeader =
    "name,date,time,latitude,longitude,zone,dst,city,state,country,note";

// Reads the rows of a CSV file. The header names the columns, in any order;
// name, date, time, latitude, longitude and zone must be there. A row that
// is not UTF-8, has the wrong number of fields or holds more than 1 MiB is
// refused with its line; the other rows are read.
ReadResult ReadCsv(std::istream& in, PlaceFinder& places);

// One row of a birth, ended by CR LF.
std::string CsvRow(const library::StoredBirth& stored);

// A field quoted when it holds a comma, a quote, a line break or blanks at
// either end.
std::string CsvField(std::string_view value);

}  // namespace korvanta::exchange
