#include "convert/Sweep.h"

#include <cerrno>
#include <fcntl.h>

#include "convert/ConvertFile.h"
#include "convert/ScratchCopy.h"
#include "convert/TextFile.h"
#include "discovery/PathUtils.h"
#include "discovery/StringUtils.h"
#include "platform/FileDescriptor.h"
#include "platform/FileSystem.h"

namespace varnolet {
namespace {

constexpr std::string_view kNoTemplate = "-none";

enum class RowOutcome { Swept, Failed };

struct RowJob {
    ScratchCopy& copy; ///< shared by the rows, refilled and wiped for each
    const std::string& folder;
    const std::string& templateText;
    const SweepOptions& options;
    bool useTemplate;
};

// A row's page under the first free name, created exclusively: whatever turns
// up at a name after it was found free is never written onto, and the file
// removed after a failure is surely the one made here.
struct OutputFile {
    std::string path;
    platform::UniqueFd fd;

    void Discard() {
        fd.Close();
        platform::RemoveFile(path);
    }
};

OutputFile CreateOutputFile(const std::string& folder, const std::string& input, bool useTemplate) {
    const std::string_view extension = useTemplate ? ".html" : ".txt";
    OutputFile output{folder + PathFileName(input), {}};
    // Each taken name makes the next one longer, so a full folder ends in
    // ENAMETOOLONG rather than a loop without end.
    for (;;) {
        output.path.append(extension);
        output.fd = platform::OpenFile(output.path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (output.fd.IsOpen() || errno != EEXIST) {
            return output;
        }
    }
}

// Where the converted text goes in this row's page. A template that cannot be
// read leaves the body alone: the text is kept, but the row is not what was
// asked for, so it counts as a failure.
bool LayOutPage(const RowJob& job, std::string& templateLines, PageLayout& layout) {
    layout.bPre = job.options.bPre;
    layout.pieces = {std::string_view(), std::string_view()};
    if (!job.useTemplate) {
        return true;
    }
    if (!ReadTextLines(job.templateText, templateLines)) {
        return false;
    }
    layout.pieces = SplitAtPlaceholders(templateLines, kPlaceholder);
    return true;
}

RowOutcome SweepRow(const RowJob& job, const std::string& input) {
    platform::UniqueFd source = platform::OpenRegularFile(input.c_str());
    if (!source.IsOpen()) {
        return RowOutcome::Failed;
    }
    OutputFile output = CreateOutputFile(job.folder, input, job.useTemplate);
    if (!output.fd.IsOpen()) {
        return RowOutcome::Failed;
    }
    std::string templateLines;
    PageLayout layout;
    const bool complete = LayOutPage(job, templateLines, layout);
    // The page is written once, in one pass: the same bytes as converting into
    // the output, reading that back and rewriting it with the template.
    if (!ConvertIntoPage(job.copy, source.Get(), output.fd.Get(), job.options.bSpaces,
                         !job.options.bPre, job.options.bNumeric, layout) ||
        !output.fd.Close()) {
        // Half a page under a finished-looking name: the failure is counted, so
        // take the remains away rather than leave them.
        output.Discard();
        return RowOutcome::Failed;
    }
    return complete ? RowOutcome::Swept : RowOutcome::Failed;
}

} // namespace

std::vector<std::string_view> SplitAtPlaceholders(std::string_view text,
                                                  std::string_view placeholder) {
    std::vector<std::string_view> pieces;
    std::size_t from = 0;
    std::size_t found = placeholder.empty() ? std::string_view::npos : text.find(placeholder);
    while (found != std::string_view::npos) {
        pieces.push_back(text.substr(from, found - from));
        from = found + placeholder.size();
        found = text.find(placeholder, from);
    }
    pieces.push_back(text.substr(from));
    return pieces;
}

void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view replacement) {
    const std::vector<std::string_view> pieces = SplitAtPlaceholders(text, placeholder);
    if (pieces.size() == 1) {
        return;
    }
    // One pass into a fresh text: in-place replacing would move the tail once
    // per occurrence.
    std::string result;
    result.reserve(text.size() + replacement.size() * (pieces.size() - 1));
    result.append(pieces.front());
    for (std::size_t piece = 1; piece < pieces.size(); ++piece) {
        result.append(replacement).append(pieces[piece]);
    }
    text = std::move(result);
}

bool UsesTemplate(std::string_view templateText) {
    return !templateText.empty() && StrLower(StrTrimmed(templateText)) != kNoTemplate;
}

bool CheckOutputFolder(std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    return PathNormalizeFolder(folder);
}

bool CheckTemplate(const std::string& templateText) {
    return !UsesTemplate(templateText) || PathIsRegularFile(templateText);
}

SweepResult SweepFiles(const std::vector<std::string>& rows, const std::string& folder,
                       const std::string& templateText, const SweepOptions& options,
                       const SweepRowHook& beforeRow) {
    // One temporary file serves every row: making and deleting one per row
    // costs two metadata updates each, and a file system without a journal
    // then passes over the freed inodes on every later creation.
    ScratchCopy copy;
    const RowJob job{copy, folder, templateText, options, UsesTemplate(templateText)};
    SweepResult result;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (beforeRow) {
            beforeRow(row);
        }
        if (SweepRow(job, rows[row]) == RowOutcome::Swept) {
            ++result.nSwept;
        } else {
            ++result.nFailures;
        }
    }
    return result;
}

} // namespace varnolet
