// SPDX-License-Identifier: GPL-3.0-or-later
// The letters a name may hold and their capitals, for every script, from a
// table generated out of the Unicode character database
// (tools/name-letters/generate.py), so that the core needs no Unicode
// library. Scripts without capitals (Devanagari, Arabic, Han…) keep their
// letters as they are.
#pragma once

namespace korvanta {

// Given: a code point. Returned: whether it is a letter of any script
// (A-Z, a-z, "É", "ß", "Ж", "क") or a mark that combines with one (an accent,
// a Devanagari vowel sign); Unicode categories L and M.
bool IsNameLetter(char32_t c);

// Given: a code point. Returned: its capital by Unicode's one-letter
// uppercase mapping ("é" -> "É", "ж" -> "Ж", "ς" -> "Σ"); any other code
// point, and a letter whose capital is two letters ("ß"), unchanged.
char32_t CapitalLetter(char32_t c);

}  // namespace korvanta
