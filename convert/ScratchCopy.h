#pragma once

#include "convert/FileOperations.h"

namespace varnolet {

/// The private temporary copy a conversion reads instead of its input: a file
/// of eight random letters, a dot and three in the temporary folder, created
/// exclusively for the owner alone. Each Fill replaces the copy's content with
/// one input's bytes and each Wipe zeroes it in place, so a run of
/// conversions can share one file without one input's text outliving its
/// turn; the file itself is wiped and removed when the scratch goes (or on
/// SIGINT, SIGTERM and SIGHUP once the cleanup handlers are installed).
class ScratchCopy {
public:
    ScratchCopy() = default;
    ~ScratchCopy() { Discard(); }
    ScratchCopy(const ScratchCopy&) = delete;
    ScratchCopy& operator=(const ScratchCopy&) = delete;

    /// Makes the copy hold exactly the bytes of `sourceFd`, a regular file
    /// open for reading (see OpenRegularFile), from its offset, and rewinds
    /// it, creating the file first if need be. False when any step fails.
    bool Fill(int sourceFd);

    /// The copy's descriptor, valid after a successful Fill.
    int Fd() const { return m_file.fd.Get(); }

    /// Zeroes the copy in place. A copy that cannot be zeroed is discarded
    /// at once, so that the text never lingers; false then.
    bool Wipe();

    /// Wipes and removes the file, if there is one. True when none remains.
    bool Discard();

private:
    TempFile m_file;
};

} // namespace varnolet
