#include "convert/Sweep.h"

#include <sys/stat.h>

#include "convert/ConvertFile.h"
#include "convert/TextFile.h"
#include "discovery/PathUtils.h"
#include "discovery/StringUtils.h"
#include "platform/FileSystem.h"

namespace varnolet {
namespace {

constexpr std::string_view kNoTemplate = "-none";
constexpr std::string_view kPreOpen = "<pre>\n";
constexpr std::string_view kPreClose = "</pre>";

// lstat, not stat: a dangling link or a folder of that name is taken as well.
bool NameTaken(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

enum class RowOutcome { Swept, Failed };

struct RowJob {
    const std::string& folder;
    const std::string& templateText;
    const SweepOptions& options;
    bool useTemplate;
};

// The page for one row from the converted text read back. A template that
// cannot be read leaves the body alone: the text is kept, but the row is not
// what was asked for, so it counts as a failure.
bool BuildPage(const RowJob& job, std::string& body, std::string& page) {
    if (job.options.bPre) {
        body.insert(0, kPreOpen);
        body.append(kPreClose);
    }
    if (!job.useTemplate) {
        page = std::move(body);
        return true;
    }
    if (!ReadTextLines(job.templateText, page)) {
        page = std::move(body);
        return false;
    }
    ReplaceAll(page, kPlaceholder, body);
    return true;
}

RowOutcome SweepRow(const RowJob& job, const std::string& input) {
    if (!platform::IsRegularFile(input)) {
        return RowOutcome::Failed;
    }
    const std::string output = MakeOutputPath(job.folder, input, job.useTemplate);
    if (!ConvertFile(input, output, job.options.bSpaces, !job.options.bPre, job.options.bNumeric,
                     true)) {
        // The name was free a moment ago, so anything there now is what the
        // failed conversion left (a full disk leaves half a file).
        platform::RemoveFile(output);
        return RowOutcome::Failed;
    }
    std::string body;
    if (!ReadTextLines(output, body)) {
        return RowOutcome::Failed;
    }
    std::string page;
    const bool complete = BuildPage(job, body, page);
    if (!WriteTextFile(output, page)) {
        // What is left is a torn page under a finished-looking name: the
        // failure is counted, so take the remains away rather than leave them.
        platform::RemoveFile(output);
        return RowOutcome::Failed;
    }
    return complete ? RowOutcome::Swept : RowOutcome::Failed;
}

} // namespace

void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view replacement) {
    if (placeholder.empty()) {
        return;
    }
    std::size_t found = text.find(placeholder);
    if (found == std::string::npos) {
        return;
    }
    // One pass into a fresh text: in-place replacing would move the tail once
    // per occurrence.
    std::string result;
    result.reserve(text.size() + replacement.size());
    std::size_t from = 0;
    while (found != std::string::npos) {
        result.append(text, from, found - from);
        result.append(replacement);
        from = found + placeholder.size();
        found = text.find(placeholder, from);
    }
    result.append(text, from, std::string::npos);
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

std::string MakeOutputPath(const std::string& folder, const std::string& input, bool useTemplate) {
    const std::string_view extension = useTemplate ? ".html" : ".txt";
    std::string output = folder + PathFileName(input);
    output.append(extension);
    while (NameTaken(output)) {
        output.append(extension);
    }
    return output;
}

SweepResult SweepFiles(const std::vector<std::string>& rows, const std::string& folder,
                       const std::string& templateText, const SweepOptions& options,
                       const SweepRowHook& beforeRow) {
    const RowJob job{folder, templateText, options, UsesTemplate(templateText)};
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
