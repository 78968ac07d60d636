# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the program's manual (Help > Korvanta Help) from README.md: the text
# between each line "<!-- manual -->" and the next line "<!-- /manual -->",
# in order, under the title "Korvanta Help". Links to the README's own headings
# become plain text, as the manual has other headings.
#   cmake -DREADME=README.md -DOUTPUT=manual.md -P make_manual.cmake
cmake_minimum_required(VERSION 3.25)
file(READ "${README}" readme)
set(manual "# Korvanta Help\n")
set(rest "${readme}")
set(parts 0)
while(TRUE)
  string(FIND "${rest}" "\n<!-- manual -->\n" begin)
  if(begin EQUAL -1)
    break()
  endif()
  math(EXPR begin "${begin} + 17")
  string(SUBSTRING "${rest}" ${begin} -1 rest)
  string(FIND "${rest}" "\n<!-- /manual -->\n" end)
  if(end EQUAL -1)
    message(FATAL_ERROR "${README}: a <!-- manual --> mark has no <!-- /manual --> after it")
  endif()
  math(EXPR end "${end} + 1")
  string(SUBSTRING "${rest}" 0 ${end} part)
  string(SUBSTRING "${rest}" ${end} -1 rest)
  string(APPEND manual "\n${part}")
  math(EXPR parts "${parts} + 1")
endwhile()
if(parts EQUAL 0)
  message(FATAL_ERROR "${README} has no <!-- manual --> sections")
endif()
string(REGEX REPLACE "\\[([^]]*)\\]\\(#[^)]*\\)" "\\1" manual "${manual}")
file(WRITE "${OUTPUT}" "${manual}")
