#include "log/RelationPass.h"

#include <osmium/io/any_input.hpp>
#include <osmium/thread/pool.hpp>

#include <unordered_set>

bool RelationPass::read(const osmium::io::File &file, osmium::thread::Pool &pool,
                        AreaManager &areas, const std::atomic<bool> &stop, const Report &report)
{
    osmium::io::Reader reader(file, osmium::osm_entity_bits::relation, osmium::io::read_meta::no,
                              pool);
    std::unordered_set<osmium::object_id_type> seen;
    std::uint64_t relations = 0;
    while (osmium::memory::Buffer buffer = reader.read()) {
        if (stop)
            return false;
        for (const osmium::Relation &relation : buffer.select<osmium::Relation>()) {
            ++relations;
            if (seen.insert(relation.id()).second)
                areas.relation(relation);
        }
        if (report)
            report(reader, relations);
    }
    reader.close();
    areas.prepare_for_lookup();
    return true;
}
