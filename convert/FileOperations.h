#pragma once

#include <cstdint>
#include <string>

#include "platform/FileDescriptor.h"

namespace varnolet {

/// A name of lower-case letters, a dot and lower-case letters; a length of 0
/// means 8 for the name and 3 for the extension. The generator is seeded from
/// the clock on the first call in the process.
std::string RandomName(std::uint8_t nName, std::uint8_t nExtension);

/// Seeds the name generator as the first call would, but with a known value, so
/// that a test knows the names that follow.
void SeedRandomNames(unsigned seed);

/// The folder for temporary files, ending with '/'.
std::string GetTempFolder();

/// A temporary file created exclusively (owner-only, never through a link) under
/// a fresh random name; another name is tried while one is taken. The handlers of
/// InstallTempFileCleanup know it from the moment it exists. Empty path on failure.
struct TempFile {
    std::string path;
    platform::UniqueFd fd;
};
TempFile CreateTempFile(std::uint8_t nName, std::uint8_t nExtension);

/// The path of a fresh, empty temporary file reserved as CreateTempFile does;
/// empty when none could be made.
std::string MakeTempFilePath(std::uint8_t nName, std::uint8_t nExtension);

/// Copies a regular file byte for byte. True when the copy was made, or was not
/// needed because both paths are textually the same file; false when the source
/// is missing, the destination exists and bOverwrite is false, or any open, read,
/// write or close fails.
bool CopyFileContents(const std::string& strSource, const std::string& strDestination,
                      bool bOverwrite);

/// Copies everything from one open descriptor to another; false on any error.
bool CopyDescriptor(int source, int destination);

/// Overwrites the whole of an open file with zero bytes, in place; false on any error.
bool ZeroOpenFile(int fd);

/// Overwrites a regular file with zero bytes nPasses times and deletes it, a
/// read-only one too. True when no file remains at the path.
bool WipeFile(const std::string& path, std::uint16_t nPasses);

enum ProbeResult : int {
    PROBE_EXISTS = 0,
    PROBE_CREATABLE = 1,
    PROBE_NOT_CREATABLE = 2,
};

/// Whether a regular file is at the path, or one could be created there (it is
/// created and removed again to find out).
ProbeResult ProbeOutputFile(const std::string& path);

} // namespace varnolet
