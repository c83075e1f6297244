// The hive parser meets whatever a person or a crash left in the file: it must
// refuse garbage without crashing, and whatever it accepts must be written back in
// a form that reads as the very same tree.
#include "platform/HiveKey.h"
#include "platform/HiveText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnolet::platform;
    const std::string text(reinterpret_cast<const char*>(data), size);
    HiveKey root;
    if (!ParseHive(text, root)) {
        return 0;
    }
    const std::string written = FormatHive(root);
    HiveKey back;
    if (!ParseHive(written, back) || !(back == root) || FormatHive(back) != written) {
        std::fputs("hive did not survive being written and read back\n", stderr);
        std::abort();
    }
    return 0;
}
