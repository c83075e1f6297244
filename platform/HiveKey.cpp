#include "platform/HiveKey.h"

namespace varnolet::platform {
namespace {

std::string Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

} // namespace

HiveKey::HiveKey(const HiveKey& other) : m_values(other.m_values) {
    for (const auto& [folded, sub] : other.m_subkeys) {
        m_subkeys.emplace(folded, NamedKey{sub.name, std::make_unique<HiveKey>(*sub.key)});
    }
}

HiveKey& HiveKey::operator=(const HiveKey& other) {
    if (this != &other) {
        HiveKey copy(other);
        *this = std::move(copy);
    }
    return *this;
}

HiveKey::~HiveKey() = default;

const HiveValue* HiveKey::FindValue(std::string_view name) const {
    const auto it = m_values.find(Fold(name));
    return it == m_values.end() ? nullptr : &it->second.value;
}

void HiveKey::SetValue(std::string_view name, HiveValue value) {
    auto [it, inserted] = m_values.try_emplace(Fold(name), NamedValue{std::string(name), {}});
    it->second.value = std::move(value);
}

bool HiveKey::RemoveValue(std::string_view name) {
    return m_values.erase(Fold(name)) != 0;
}

HiveKey* HiveKey::FindSubkey(std::string_view name) {
    const auto it = m_subkeys.find(Fold(name));
    return it == m_subkeys.end() ? nullptr : it->second.key.get();
}

const HiveKey* HiveKey::FindSubkey(std::string_view name) const {
    return const_cast<HiveKey*>(this)->FindSubkey(name);
}

HiveKey& HiveKey::MakeSubkey(std::string_view name, bool& created) {
    auto [it, inserted] = m_subkeys.try_emplace(Fold(name));
    if (inserted) {
        it->second = NamedKey{std::string(name), std::make_unique<HiveKey>()};
    }
    created = inserted;
    return *it->second.key;
}

bool HiveKey::RemoveSubkey(std::string_view name) {
    return m_subkeys.erase(Fold(name)) != 0;
}

bool HiveKey::operator==(const HiveKey& other) const {
    if (m_subkeys.size() != other.m_subkeys.size()) {
        return false;
    }
    for (const auto& [folded, value] : m_values) {
        const auto it = other.m_values.find(folded);
        if (it == other.m_values.end() || it->second.name != value.name ||
            !(it->second.value == value.value)) {
            return false;
        }
    }
    if (m_values.size() != other.m_values.size()) {
        return false;
    }
    for (const auto& [folded, sub] : m_subkeys) {
        const auto it = other.m_subkeys.find(folded);
        if (it == other.m_subkeys.end() || it->second.name != sub.name ||
            !(*it->second.key == *sub.key)) {
            return false;
        }
    }
    return true;
}

bool SplitKeyPath(std::string_view path, std::vector<std::string_view>& names) {
    names.clear();
    if (path.empty()) {
        return true;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = path.find('\\', start);
        const std::string_view name = path.substr(start, slash - start);
        if (name.empty() || names.size() == kMaxKeyDepth) {
            return false;
        }
        names.push_back(name);
        if (slash == std::string_view::npos) {
            return true;
        }
        start = slash + 1;
    }
}

const HiveKey* FindKeyPath(const HiveKey& root, const std::vector<std::string_view>& names) {
    const HiveKey* key = &root;
    for (std::string_view name : names) {
        key = key->FindSubkey(name);
        if (!key) {
            return nullptr;
        }
    }
    return key;
}

HiveKey* FindKeyPath(HiveKey& root, const std::vector<std::string_view>& names) {
    return const_cast<HiveKey*>(FindKeyPath(static_cast<const HiveKey&>(root), names));
}

} // namespace varnolet::platform
