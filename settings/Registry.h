#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace varnolet {

/// The predefined hives a key path is relative to.
enum class RegRoot { CurrentUser, LocalMachine };
inline constexpr RegRoot HKEY_CURRENT_USER = RegRoot::CurrentUser;
/// Has no counterpart on Linux: every operation on it answers ERROR_ACCESS_DENIED.
inline constexpr RegRoot HKEY_LOCAL_MACHINE = RegRoot::LocalMachine;

/// The registry's status codes, returned unchanged by every operation.
using RegStatus = long;
inline constexpr RegStatus ERROR_SUCCESS = 0;
inline constexpr RegStatus ERROR_FILE_NOT_FOUND = 2;
inline constexpr RegStatus ERROR_PATH_NOT_FOUND = 3;
inline constexpr RegStatus ERROR_ACCESS_DENIED = 5;
inline constexpr RegStatus ERROR_INVALID_PARAMETER = 87;
inline constexpr RegStatus ERROR_BAD_PATHNAME = 161;
inline constexpr RegStatus ERROR_MORE_DATA = 234;
inline constexpr RegStatus ERROR_NO_MORE_ITEMS = 259;

/// Value types.
using RegType = std::uint32_t;
inline constexpr RegType REG_NONE = 0;
inline constexpr RegType REG_SZ = 1;
inline constexpr RegType REG_EXPAND_SZ = 2;
inline constexpr RegType REG_BINARY = 3;
inline constexpr RegType REG_DWORD = 4;
inline constexpr RegType REG_MULTI_SZ = 7;

/// Access rights. The hive file has no access control of its own, so opening an
/// existing key succeeds with any of them.
using RegAccess = std::uint32_t;
inline constexpr RegAccess KEY_READ = 0x20019;
inline constexpr RegAccess KEY_WRITE = 0x20006;
inline constexpr RegAccess KEY_ALL_ACCESS = 0xF003F;

/// Options of RegCreateKeyPath: only non-volatile keys exist here.
inline constexpr std::uint32_t REG_OPTION_NON_VOLATILE = 0;

/// What RegCreateKeyPath did.
using RegDisposition = std::uint32_t;
inline constexpr RegDisposition REG_CREATED_NEW_KEY = 1;
inline constexpr RegDisposition REG_OPENED_EXISTING_KEY = 2;

/// Security attributes have no counterpart over a per-user file; accepted and ignored.
struct RegSecurityAttributes {
    std::uint32_t nLength = 12;
    bool bInheritHandle = true;
};

/// Names collected by the listing operations, in byte order, each once.
using RegNameSet = std::set<std::string>;

// Paths are key names separated by backslashes, relative to the root; the empty
// path is the root itself. Key and value names match regardless of ASCII letter
// case and keep the case they were created with. A null byte in a path gives
// ERROR_BAD_PATHNAME, in a value name ERROR_INVALID_PARAMETER.

/// Creates the key with every missing key on its path, or opens it when it exists.
/// Options other than REG_OPTION_NON_VOLATILE answer ERROR_INVALID_PARAMETER.
RegStatus RegCreateKeyPath(RegRoot root, std::string_view path, RegAccess access = KEY_ALL_ACCESS,
                           const std::string* className = nullptr,
                           std::uint32_t options = REG_OPTION_NON_VOLATILE,
                           const RegSecurityAttributes* security = nullptr,
                           RegDisposition* disposition = nullptr);

/// Reads a REG_SZ or REG_EXPAND_SZ value up to its first null. On failure the
/// output takes the default when one is given and is left alone otherwise; a value
/// of another type is success with the default or the unchanged output.
RegStatus RegReadString(RegRoot root, std::string_view path, std::string_view name,
                        std::string& text, const std::string* defaultText = nullptr);

/// Reads a REG_DWORD value; defaults and type mismatches as RegReadString.
RegStatus RegReadNumber(RegRoot root, std::string_view path, std::string_view name,
                        std::uint32_t& number, const std::uint32_t* defaultNumber = nullptr);

/// Stores the text and its terminating null as REG_SZ in an existing key.
RegStatus RegWriteString(RegRoot root, std::string_view path, std::string_view name,
                         std::string_view text);

/// Stores the four little-endian bytes of the number as REG_DWORD in an existing key.
RegStatus RegWriteNumber(RegRoot root, std::string_view path, std::string_view name,
                         std::uint32_t number);

/// The value's type and data size in bytes.
RegStatus RegQueryValueInfo(RegRoot root, std::string_view path, std::string_view name,
                            RegType& type, std::uint32_t& size);

RegStatus RegRemoveValue(RegRoot root, std::string_view path, std::string_view name);

/// Deletes a key that has no subkeys (ERROR_ACCESS_DENIED when it has some).
RegStatus RegRemoveKey(RegRoot root, std::string_view path);

/// Success when the key exists and can be opened with the access.
RegStatus RegTestKey(RegRoot root, std::string_view path, RegAccess access);

/// The name (and type) of the key's value at the index, in a stable order;
/// ERROR_NO_MORE_ITEMS past the last one.
RegStatus RegEnumValueName(RegRoot root, std::string_view path, std::uint32_t index,
                           std::string& name, RegType* type = nullptr);

/// The name of the key's subkey at the index; ERROR_NO_MORE_ITEMS past the last one.
RegStatus RegEnumSubkeyName(RegRoot root, std::string_view path, std::uint32_t index,
                            std::string& name);

/// Adds the key's value names (only those of the type, when one is given) to the set.
RegStatus RegListValueNames(RegRoot root, std::string_view path, RegNameSet& names,
                            const RegType* type = nullptr);

/// Adds the names of the key's direct subkeys to the set.
RegStatus RegListSubkeyNames(RegRoot root, std::string_view path, RegNameSet& names);

} // namespace varnolet
