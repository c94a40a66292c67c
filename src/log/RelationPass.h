#pragma once

#include "log/OsmiumAreas.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace osmium::io {
class File;
class Reader;
} // namespace osmium::io
namespace osmium::thread {
class Pool;
}

// The first of the two passes over an extract: the multipolygon and boundary relations go
// to the area manager, so that the second pass keeps the ways they are made of. The area
// assembler takes each relation once: a second one of the same id (a broken file) would
// have its members removed twice, into freed memory.
class RelationPass {
public:
    // After each buffer: the reader (how far it is) and the relations read so far, those
    // of an id seen before included.
    using Report = std::function<void(const osmium::io::Reader &reader, std::uint64_t relations)>;

    // Leaves the manager ready for the second pass; false when stopped.
    static bool read(const osmium::io::File &file, osmium::thread::Pool &pool, AreaManager &areas,
                     const std::atomic<bool> &stop, const Report &report = {});
};
