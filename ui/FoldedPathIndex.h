#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace varnolet {

/// Which rows of a list hold which paths, two paths being the same when they
/// are equal after A to Z are folded to a to z (no other byte folds). It keeps
/// only a hash and a row number per path, never a second copy of the path: the
/// list owns the paths and lends them through a PathAt when hashes meet.
class FoldedPathIndex {
public:
    using PathAt = std::function<std::string_view(std::size_t row)>;

    /// Makes room for this many rows in all, so that a large batch grows the
    /// table once.
    void Reserve(std::size_t rows);
    /// Records `path` as held by `row`, unless a row already holds it; false then.
    bool TryInsert(std::string_view path, std::size_t row, const PathAt& pathAt);
    /// Forgets `row`, which holds `path`, and moves every later row one up, as
    /// removing the row from the list does.
    void EraseRow(std::string_view path, std::size_t row);
    void Clear();

private:
    // Open addressing with linear probing: a slot is 8 bytes and a row costs no
    // allocation of its own. `row` is the row number plus one; 0 marks a free slot.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t row = 0;
    };
    std::size_t Home(std::uint32_t hash) const { return hash & (m_slots.size() - 1); }
    std::size_t Next(std::size_t slot) const { return (slot + 1) & (m_slots.size() - 1); }
    void Grow(std::size_t slots);
    void Vacate(std::size_t slot);

    std::vector<Slot> m_slots; // empty, or a power of two at least twice m_count
    std::size_t m_count = 0;
};

} // namespace varnolet
