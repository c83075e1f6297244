#include "settings/Registry.h"

#include "platform/HiveKey.h"
#include "platform/HiveStore.h"

#include <iterator>
#include <vector>

namespace varnolet {
namespace {

using platform::HiveKey;
using platform::HiveValue;
using Names = std::vector<std::string_view>;

/// The current user's hive is the only one there is; the machine's answers "denied".
RegStatus CheckRoot(RegRoot root) {
    return root == HKEY_CURRENT_USER ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

/// Checks the root and cuts the path into key names.
RegStatus Address(RegRoot root, std::string_view path, Names& names) {
    if (const RegStatus status = CheckRoot(root)) {
        return status;
    }
    if (path.find('\0') != std::string_view::npos || !platform::SplitKeyPath(path, names)) {
        return ERROR_BAD_PATHNAME;
    }
    return ERROR_SUCCESS;
}

RegStatus CheckValueName(std::string_view name) {
    return name.find('\0') == std::string_view::npos ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

/// "Opens" a key for reading: a copy of the hive, with the key found in it.
class ReadKey {
public:
    RegStatus Open(RegRoot root, std::string_view path) {
        Names names;
        if (const RegStatus status = Address(root, path, names)) {
            return status;
        }
        if (const RegStatus status = platform::ReadHive(m_hive)) {
            return status;
        }
        m_key = platform::FindKeyPath(m_hive, names);
        return m_key ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    const HiveKey& Key() const { return *m_key; }

    /// The name (and type) of the value at the index; ERROR_NO_MORE_ITEMS past the last.
    RegStatus EnumValue(std::size_t index, std::string& name, RegType* type) const {
        const auto& values = m_key->Values();
        if (index >= values.size()) {
            return ERROR_NO_MORE_ITEMS;
        }
        const auto& named = std::next(values.begin(), static_cast<long>(index))->second;
        name = named.name;
        if (type) {
            *type = named.value.nType;
        }
        return ERROR_SUCCESS;
    }
    /// The name of the subkey at the index; ERROR_NO_MORE_ITEMS past the last.
    RegStatus EnumSubkey(std::size_t index, std::string& name) const {
        const auto& subkeys = m_key->Subkeys();
        if (index >= subkeys.size()) {
            return ERROR_NO_MORE_ITEMS;
        }
        name = std::next(subkeys.begin(), static_cast<long>(index))->second.name;
        return ERROR_SUCCESS;
    }

private:
    HiveKey m_hive;
    const HiveKey* m_key = nullptr;
};

/// Runs `change` on an existing key under the hive's lock.
template <typename Change>
RegStatus EditKey(RegRoot root, std::string_view path, std::string_view name, Change change) {
    Names names;
    if (const RegStatus status = Address(root, path, names)) {
        return status;
    }
    if (const RegStatus status = CheckValueName(name)) {
        return status;
    }
    return platform::EditHive([&](HiveKey& hive, bool& changed) -> RegStatus {
        HiveKey* key = platform::FindKeyPath(hive, names);
        return key ? change(*key, changed) : ERROR_FILE_NOT_FOUND;
    });
}

RegStatus WriteValue(RegRoot root, std::string_view path, std::string_view name, HiveValue value) {
    return EditKey(root, path, name, [&](HiveKey& key, bool& changed) {
        if (const HiveValue* old = key.FindValue(name); !old || !(*old == value)) {
            key.SetValue(name, std::move(value));
            changed = true;
        }
        return ERROR_SUCCESS;
    });
}

/// Looks a value up the way the registry's query does: missing is ERROR_FILE_NOT_FOUND.
RegStatus QueryValue(const ReadKey& key, std::string_view name, const HiveValue*& value) {
    if (const RegStatus status = CheckValueName(name)) {
        return status;
    }
    value = key.Key().FindValue(name);
    return value ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

template <typename T> RegStatus Fail(RegStatus status, T& output, const T* fallback) {
    if (fallback) {
        output = *fallback;
    }
    return status;
}

} // namespace

RegStatus RegCreateKeyPath(RegRoot root, std::string_view path, RegAccess, const std::string*,
                           std::uint32_t options, const RegSecurityAttributes*,
                           RegDisposition* disposition) {
    Names names;
    if (const RegStatus status = Address(root, path, names)) {
        return status;
    }
    if (options != REG_OPTION_NON_VOLATILE) {
        return ERROR_INVALID_PARAMETER;
    }
    return platform::EditHive([&](HiveKey& hive, bool& changed) {
        HiveKey* key = &hive;
        for (std::string_view name : names) {
            bool created = false;
            key = &key->MakeSubkey(name, created);
            changed = changed || created;
        }
        if (disposition) {
            *disposition = changed ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        }
        return ERROR_SUCCESS;
    });
}

RegStatus RegReadString(RegRoot root, std::string_view path, std::string_view name,
                        std::string& text, const std::string* defaultText) {
    ReadKey key;
    if (const RegStatus status = key.Open(root, path)) {
        return Fail(status, text, defaultText);
    }
    const HiveValue* value = nullptr;
    const RegStatus status = QueryValue(key, name, value);
    if (status != ERROR_SUCCESS || (value->nType != REG_SZ && value->nType != REG_EXPAND_SZ)) {
        return Fail(status, text, defaultText);
    }
    // A string stored without its null gives exactly its bytes, nothing beyond.
    text = value->data.substr(0, value->data.find('\0'));
    return ERROR_SUCCESS;
}

RegStatus RegReadNumber(RegRoot root, std::string_view path, std::string_view name,
                        std::uint32_t& number, const std::uint32_t* defaultNumber) {
    ReadKey key;
    if (const RegStatus status = key.Open(root, path)) {
        return Fail(status, number, defaultNumber);
    }
    const HiveValue* value = nullptr;
    const RegStatus status = QueryValue(key, name, value);
    if (status != ERROR_SUCCESS || value->nType != REG_DWORD) {
        return Fail(status, number, defaultNumber);
    }
    // The read asks for four bytes: more does not fit, fewer leave the rest zero.
    if (value->data.size() > 4) {
        return Fail(ERROR_MORE_DATA, number, defaultNumber);
    }
    std::uint32_t read = 0;
    for (std::size_t i = 0; i < value->data.size(); ++i) {
        read |= std::uint32_t(static_cast<unsigned char>(value->data[i])) << (8 * i);
    }
    number = read;
    return ERROR_SUCCESS;
}

RegStatus RegWriteString(RegRoot root, std::string_view path, std::string_view name,
                         std::string_view text) {
    HiveValue value{REG_SZ, std::string(text)};
    value.data += '\0';
    return WriteValue(root, path, name, std::move(value));
}

RegStatus RegWriteNumber(RegRoot root, std::string_view path, std::string_view name,
                         std::uint32_t number) {
    HiveValue value{REG_DWORD, std::string(4, '\0')};
    for (std::size_t i = 0; i < 4; ++i) {
        value.data[i] = static_cast<char>(number >> (8 * i) & 0xFF);
    }
    return WriteValue(root, path, name, std::move(value));
}

RegStatus RegQueryValueInfo(RegRoot root, std::string_view path, std::string_view name,
                            RegType& type, std::uint32_t& size) {
    ReadKey key;
    if (const RegStatus status = key.Open(root, path)) {
        return status;
    }
    const HiveValue* value = nullptr;
    if (const RegStatus status = QueryValue(key, name, value)) {
        return status;
    }
    type = value->nType;
    size = static_cast<std::uint32_t>(value->data.size());
    return ERROR_SUCCESS;
}

RegStatus RegRemoveValue(RegRoot root, std::string_view path, std::string_view name) {
    return EditKey(root, path, name, [&](HiveKey& key, bool& changed) {
        changed = key.RemoveValue(name);
        return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

RegStatus RegRemoveKey(RegRoot root, std::string_view path) {
    Names names;
    if (const RegStatus status = Address(root, path, names)) {
        return status;
    }
    if (names.empty()) {
        return ERROR_ACCESS_DENIED;
    }
    return platform::EditHive([&](HiveKey& hive, bool& changed) -> RegStatus {
        HiveKey* parent = platform::FindKeyPath(hive, Names(names.begin(), names.end() - 1));
        HiveKey* key = parent ? parent->FindSubkey(names.back()) : nullptr;
        if (!key) {
            return ERROR_FILE_NOT_FOUND;
        }
        // As on Windows, a key with subkeys is not deleted with everything below it.
        if (!key->Subkeys().empty()) {
            return ERROR_ACCESS_DENIED;
        }
        changed = parent->RemoveSubkey(names.back());
        return ERROR_SUCCESS;
    });
}

RegStatus RegTestKey(RegRoot root, std::string_view path, RegAccess) {
    ReadKey key;
    return key.Open(root, path);
}

RegStatus RegEnumValueName(RegRoot root, std::string_view path, std::uint32_t index,
                           std::string& name, RegType* type) {
    ReadKey key;
    if (const RegStatus status = key.Open(root, path)) {
        return status;
    }
    return key.EnumValue(index, name, type);
}

RegStatus RegEnumSubkeyName(RegRoot root, std::string_view path, std::uint32_t index,
                            std::string& name) {
    ReadKey key;
    if (const RegStatus status = key.Open(root, path)) {
        return status;
    }
    return key.EnumSubkey(index, name);
}

RegStatus RegListValueNames(RegRoot root, std::string_view path, RegNameSet& names,
                            const RegType* type) {
    ReadKey key;
    if (const RegStatus status = key.Open(root, path)) {
        return status;
    }
    // One snapshot is walked by index, as the registry's enumeration is.
    std::string name;
    RegType found = REG_NONE;
    for (std::size_t index = 0; key.EnumValue(index, name, &found) != ERROR_NO_MORE_ITEMS;
         ++index) {
        if (!type || found == *type) {
            names.insert(name);
        }
    }
    return ERROR_SUCCESS;
}

RegStatus RegListSubkeyNames(RegRoot root, std::string_view path, RegNameSet& names) {
    ReadKey key;
    if (const RegStatus status = key.Open(root, path)) {
        return status;
    }
    std::string name;
    for (std::size_t index = 0; key.EnumSubkey(index, name) != ERROR_NO_MORE_ITEMS; ++index) {
        names.insert(name);
    }
    return ERROR_SUCCESS;
}

} // namespace varnolet
