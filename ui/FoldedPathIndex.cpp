#include "ui/FoldedPathIndex.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace varnolet {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;

char FoldByte(char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

// Folds A to Z in eight bytes at once. A byte with its high bit set is never a
// letter here, and the sums cannot carry into the next byte because each works
// on the low seven bits only.
std::uint64_t FoldWord(std::uint64_t word) {
    const std::uint64_t low = word & ~kHighBits;
    const std::uint64_t fromA = low + (0x80 - 'A') * kOnes;
    const std::uint64_t pastZ = low + (0x80 - 'Z' - 1) * kOnes;
    const std::uint64_t upper = (fromA ^ pastZ) & ~word & kHighBits;
    return word | (upper >> 2);
}

std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ word) * kMultiplier;
    return hash ^ (hash >> 29);
}

constexpr std::size_t kFirstSlots = 16;

// The hash every spelling of a path shares.
std::uint64_t FoldedHash(std::string_view path) {
    std::uint64_t hash = Mix(0, path.size());
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= path.size(); at += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, path.data() + at, sizeof word);
        hash = Mix(hash, FoldWord(word));
    }
    if (at < path.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, path.data() + at, path.size() - at);
        hash = Mix(hash, FoldWord(word));
    }
    return hash;
}

bool FoldedEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldByte(x) == FoldByte(y);
           });
}

// The table keeps the high half of the hash: the multiplications mix best there.
std::uint32_t ShortHash(std::string_view path) {
    return static_cast<std::uint32_t>(FoldedHash(path) >> 32);
}

} // namespace

void FoldedPathIndex::Reserve(std::size_t rows) {
    std::size_t slots = m_slots.empty() ? kFirstSlots : m_slots.size();
    while (slots < 2 * rows) {
        slots *= 2;
    }
    if (slots != m_slots.size()) {
        Grow(slots);
    }
}

void FoldedPathIndex::Grow(std::size_t slots) {
    std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(slots));
    for (const Slot& item : old) {
        if (item.row != 0) {
            std::size_t at = Home(item.hash);
            while (m_slots[at].row != 0) {
                at = Next(at);
            }
            m_slots[at] = item;
        }
    }
}

bool FoldedPathIndex::TryInsert(std::string_view path, std::size_t row, const PathAt& pathAt) {
    Reserve(m_count + 1);
    const std::uint32_t hash = ShortHash(path);
    std::size_t at = Home(hash);
    for (; m_slots[at].row != 0; at = Next(at)) {
        if (m_slots[at].hash == hash && FoldedEqual(pathAt(m_slots[at].row - 1), path)) {
            return false;
        }
    }
    m_slots[at] = {hash, static_cast<std::uint32_t>(row + 1)};
    ++m_count;
    return true;
}

void FoldedPathIndex::EraseRow(std::string_view path, std::size_t row) {
    if (m_slots.empty()) {
        return;
    }
    const auto stored = static_cast<std::uint32_t>(row + 1);
    for (std::size_t at = Home(ShortHash(path)); m_slots[at].row != 0; at = Next(at)) {
        if (m_slots[at].row == stored) {
            Vacate(at);
            --m_count;
            break;
        }
    }
    for (Slot& item : m_slots) {
        if (item.row > stored) {
            --item.row;
        }
    }
}

// Frees a slot without leaving a gap in any probe sequence: each later entry of
// the run moves back into the hole unless its home lies after the hole.
void FoldedPathIndex::Vacate(std::size_t hole) {
    for (std::size_t at = Next(hole); m_slots[at].row != 0; at = Next(at)) {
        const std::size_t home = Home(m_slots[at].hash);
        const bool staysPut =
            hole <= at ? (hole < home && home <= at) : (hole < home || home <= at);
        if (!staysPut) {
            m_slots[hole] = m_slots[at];
            hole = at;
        }
    }
    m_slots[hole] = Slot{};
}

void FoldedPathIndex::Clear() {
    m_slots = {};
    m_count = 0;
}

} // namespace varnolet
