// SPDX-License-Identifier: GPL-3.0-or-later
// AAF records: many births in one text file, each an #A93 line (name, first
// name, type, date d.m.yyyy, time hh:mm, place, country; "*" for unknown)
// and an #B93 line (Julian day, latitude "49n05", longitude "8e11", zone
// "1he" / "5h30e" / "5hw", daylight saving hours). An #ZNAM line names the
// zone; #COM lines become the birth's note, and the record's other lines are
// kept in the note as they are, so that an export writes them back.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "exchange/exchange.h"

namespace korvanta::exchange {

// Reads every record of an AAF file. Lines of more than 1 MiB are passed
// over and refuse the record they belong to.
ReadResult ReadAaf(std::istream& in, PlaceFinder& places);

// The records of `births`, each an #A93, #B93 and #ZNAM line and its note,
// lines ended by CR LF.
std::string AafText(const library::StoredBirth& birth);

}  // namespace korvanta::exchange
