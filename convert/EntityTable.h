#pragma once

#include <cstddef>
#include <cstdint>

namespace varnolet {

/// One character with its named and numeric character reference. Only the low
/// 8 bits of nCode take part in matching.
struct EntityEntry {
    std::int32_t nCode;
    const char* szNamed;
    const char* szNumeric;
};

/// The number of rows of EntityTable, the bound of every search.
inline constexpr std::size_t nEntityCount = 104;

/// Every code occurs in one row only, so the row order never changes a result.
extern const EntityEntry EntityTable[nEntityCount];

} // namespace varnolet
