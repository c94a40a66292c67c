#pragma once

// libosmium's area assembler and its multipolygon manager, for the passes that assemble
// areas. GCC 12 at -O2 sees a read past the end in the area builder's inlined strlen of
// the user name, which libosmium always terminates: a false alarm inside the library.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif
#include <osmium/area/assembler.hpp>
#include <osmium/area/multipolygon_manager.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

using AreaManager = osmium::area::MultipolygonManager<osmium::area::Assembler>;
