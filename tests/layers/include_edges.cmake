# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file includes a header across a forbidden edge between
# the program's layers. Dependencies point one way: the calendar knows nothing
# else; the core (calendar, astro, pipeline, reading) knows only itself; the
# report knows the core; the library, the
# atlas and the exchange formats know the core and not the presentation;
# nothing but the desktop program's own folders and app/ includes ui/; the
# command line reads the interpretation tables only through the report.
#
# Usage: cmake -DROOT=<source tree> -P include_edges.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "include_edges: ROOT is not set")
endif()

# folder -> the top-level folders its files must never include
set(forbidden_calendar astro pipeline reading report ui cli library atlas exchange precise)
set(forbidden_astro    report ui cli library atlas exchange precise)
set(forbidden_pipeline report ui cli library atlas exchange precise)
set(forbidden_reading  report ui cli library atlas exchange precise)
set(forbidden_report   ui cli library exchange precise)
set(forbidden_library  report ui cli exchange)
set(forbidden_atlas    report ui cli library exchange)
set(forbidden_exchange report ui cli)
set(forbidden_precise  report ui cli library atlas exchange)
set(forbidden_cli      ui reading)

set(crossings "")
set(checked 0)
foreach(folder calendar astro pipeline reading report library atlas exchange precise cli)
  file(GLOB sources ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  if(NOT sources)
    list(APPEND crossings "${folder}/: no source files found (has the folder moved?)")
  endif()
  foreach(source ${sources})
    math(EXPR checked "${checked} + 1")
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
      string(REGEX MATCH "^[^/]+" top "${header}")
      if(top IN_LIST forbidden_${folder})
        file(RELATIVE_PATH shown ${ROOT} ${source})
        list(APPEND crossings "${shown} includes ${header} (${folder}/ must not include ${top}/)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(crossings)
  list(JOIN crossings "\n  " text)
  message(FATAL_ERROR "include edges crossed:\n  ${text}")
endif()
message(STATUS "include edges: ${checked} files, none crossed")
