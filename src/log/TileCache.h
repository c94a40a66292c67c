#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>

class MapTile;

// The tiles read last, up to a budget of bytes: the least recently used go first. A tile
// still in use elsewhere lives on until its last user lets go.
class TileCache {
public:
    explicit TileCache(std::size_t budgetBytes) : m_budget(budgetBytes) {}

    std::shared_ptr<const MapTile> find(std::uint64_t key);
    void insert(std::uint64_t key, std::shared_ptr<const MapTile> tile);
    std::size_t bytes() const { return m_bytes; }
    std::size_t count() const { return m_entries.size(); }

private:
    struct Entry {
        std::uint64_t key;
        std::shared_ptr<const MapTile> tile;
        std::size_t bytes;
    };

    std::size_t m_budget;
    std::size_t m_bytes = 0;
    std::list<Entry> m_entries; // most recent first
    std::unordered_map<std::uint64_t, std::list<Entry>::iterator> m_byKey;
};
