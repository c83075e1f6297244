#include "settings/Registry.h"

// The hive store is being connected; until then every operation reports that the
// store cannot be reached, which callers already treat as "no settings".
namespace varnolet {

RegStatus RegCreateKeyPath(RegRoot, std::string_view, RegAccess, const std::string*, std::uint32_t,
                           const RegSecurityAttributes*, RegDisposition*) {
    return ERROR_ACCESS_DENIED;
}
RegStatus RegReadString(RegRoot, std::string_view, std::string_view, std::string& text,
                        const std::string* defaultText) {
    if (defaultText) {
        text = *defaultText;
    }
    return ERROR_ACCESS_DENIED;
}
RegStatus RegReadNumber(RegRoot, std::string_view, std::string_view, std::uint32_t& number,
                        const std::uint32_t* defaultNumber) {
    if (defaultNumber) {
        number = *defaultNumber;
    }
    return ERROR_ACCESS_DENIED;
}
RegStatus RegWriteString(RegRoot, std::string_view, std::string_view, std::string_view) {
    return ERROR_ACCESS_DENIED;
}
RegStatus RegWriteNumber(RegRoot, std::string_view, std::string_view, std::uint32_t) {
    return ERROR_ACCESS_DENIED;
}
RegStatus RegQueryValueInfo(RegRoot, std::string_view, std::string_view, RegType&, std::uint32_t&) {
    return ERROR_ACCESS_DENIED;
}
RegStatus RegRemoveValue(RegRoot, std::string_view, std::string_view) {
    return ERROR_ACCESS_DENIED;
}
RegStatus RegRemoveKey(RegRoot, std::string_view) {
    return ERROR_ACCESS_DENIED;
}
RegStatus RegTestKey(RegRoot, std::string_view, RegAccess) {
    return ERROR_ACCESS_DENIED;
}
RegStatus RegListValueNames(RegRoot, std::string_view, RegNameSet&, const RegType*) {
    return ERROR_ACCESS_DENIED;
}
RegStatus RegListSubkeyNames(RegRoot, std::string_view, RegNameSet&) {
    return ERROR_ACCESS_DENIED;
}

} // namespace varnolet
