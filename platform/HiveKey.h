#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varnolet::platform {

/// One value: its registry type and its exact bytes.
struct HiveValue {
    std::uint32_t nType = 0;
    std::string data;

    bool operator==(const HiveValue&) const = default;
};

/// A key of a hive in memory. Names match regardless of ASCII letter case, as the
/// registry's do, and keep the case they were first given.
class HiveKey {
public:
    struct NamedValue {
        std::string name;
        HiveValue value;
    };
    struct NamedKey {
        std::string name;
        std::unique_ptr<HiveKey> key;
    };
    using ValueMap = std::map<std::string, NamedValue>;
    using SubkeyMap = std::map<std::string, NamedKey>;

    HiveKey() = default;
    HiveKey(const HiveKey& other);
    HiveKey& operator=(const HiveKey& other);
    HiveKey(HiveKey&&) noexcept = default;
    HiveKey& operator=(HiveKey&&) noexcept = default;
    ~HiveKey();

    const HiveValue* FindValue(std::string_view name) const;
    void SetValue(std::string_view name, HiveValue value);
    bool RemoveValue(std::string_view name);

    HiveKey* FindSubkey(std::string_view name);
    const HiveKey* FindSubkey(std::string_view name) const;
    /// The subkey, created when missing; `created` tells which.
    HiveKey& MakeSubkey(std::string_view name, bool& created);
    bool RemoveSubkey(std::string_view name);

    /// Ordered by the folded name, so iteration order is stable.
    const ValueMap& Values() const { return m_values; }
    const SubkeyMap& Subkeys() const { return m_subkeys; }

    bool operator==(const HiveKey& other) const;

private:
    ValueMap m_values;
    SubkeyMap m_subkeys;
};

/// The deepest key path a hive holds; deeper ones are refused rather than risk the stack.
inline constexpr std::size_t kMaxKeyDepth = 512;

/// Splits a backslash-separated key path into names. The empty path is the root
/// (no names); false for an empty name anywhere or a path deeper than kMaxKeyDepth.
bool SplitKeyPath(std::string_view path, std::vector<std::string_view>& names);

/// The key at the path below root, or null when a key on the way is missing.
const HiveKey* FindKeyPath(const HiveKey& root, const std::vector<std::string_view>& names);
HiveKey* FindKeyPath(HiveKey& root, const std::vector<std::string_view>& names);

} // namespace varnolet::platform
