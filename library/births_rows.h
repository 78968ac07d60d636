// SPDX-License-Identifier: GPL-3.0-or-later
// The births table's rows as the library reads and writes them: the columns
// every read takes, the statements that store a row, and the named
// parameters they bind. Internal to library/.
#pragma once

#include <cstdint>
#include <string>

#include "library/births_library.h"
#include "library/sqlite_statement.h"

namespace korvanta::library {

// The columns every read takes, in the order ReadRow expects.
inline constexpr const char* kColumns =
    "id, name, year, month, day, hour, minute, second, city, state, country, lat_deg, lat_min, "
    "south, lon_deg, lon_min, east, zone_index, zone_text, dst, atlas_place, atlas_zone, note, "
    "created, modified, used";

inline constexpr const char* kInsert =
    "INSERT INTO births(name, year, month, day, hour, minute, second, city, state, country, "
    "lat_deg, lat_min, south, lon_deg, lon_min, east, zone_index, zone_text, dst, atlas_place, "
    "atlas_zone, note, created, modified, used) VALUES (:name, :year, :month, :day, :hour, "
    ":minute, :second, :city, :state, :country, :lat_deg, :lat_min, :south, :lon_deg, :lon_min, "
    ":east, :zone_index, :zone_text, :dst, :atlas_place, :atlas_zone, :note, :created, "
    ":modified, :used)";

// Replaces the row :id with a birth; an empty note keeps the stored one.
inline constexpr const char* kReplace =
    "UPDATE births SET name = :name, year = :year, month = :month, day = :day, hour = :hour, "
    "minute = :minute, second = :second, city = :city, state = :state, country = :country, "
    "lat_deg = :lat_deg, lat_min = :lat_min, south = :south, lon_deg = :lon_deg, lon_min = "
    ":lon_min, east = :east, zone_index = :zone_index, zone_text = :zone_text, dst = :dst, "
    "atlas_place = :atlas_place, atlas_zone = :atlas_zone, note = CASE WHEN :note = '' THEN "
    "note ELSE :note END, modified = :modified, used = :used WHERE id = :id";

// The rows of the same name and moment as the bound ones, by id.
inline const std::string kSameMoment =
    std::string("SELECT ") + kColumns +
    " FROM births WHERE name = :name AND year = :year AND month = :month AND day = :day AND "
    "hour = :hour AND minute = :minute AND second = :second ORDER BY id";

// The clock's seconds since 1970-01-01 UTC.
std::int64_t Now();

// The row at the statement's cursor, with the fault that keeps it from use.
ReadBirth ReadRow(const Statement& s);

// Binds :name and the moment (:year .. :second).
void BindMoment(Statement& s, const Birth& b);
// Binds every value of kReplace but :id; kInsert adds :created.
void BindBirth(Statement& s, const StoredBirth& stored);

}  // namespace korvanta::library
