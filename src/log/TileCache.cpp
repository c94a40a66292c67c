#include "log/TileCache.h"

#include "log/MapTile.h"

std::shared_ptr<const MapTile> TileCache::find(std::uint64_t key)
{
    const auto found = m_byKey.find(key);
    if (found == m_byKey.end())
        return nullptr;
    m_entries.splice(m_entries.begin(), m_entries, found->second);
    return found->second->tile;
}

void TileCache::insert(std::uint64_t key, std::shared_ptr<const MapTile> tile)
{
    if (const auto found = m_byKey.find(key); found != m_byKey.end()) {
        m_bytes -= found->second->bytes;
        m_entries.erase(found->second);
        m_byKey.erase(found);
    }
    const std::size_t bytes = tile ? tile->memoryBytes() : 0;
    m_entries.push_front({key, std::move(tile), bytes});
    m_byKey[key] = m_entries.begin();
    m_bytes += bytes;
    // The newest stays even when it alone is over the budget.
    while (m_bytes > m_budget && m_entries.size() > 1) {
        m_bytes -= m_entries.back().bytes;
        m_byKey.erase(m_entries.back().key);
        m_entries.pop_back();
    }
}
