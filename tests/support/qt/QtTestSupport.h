#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/FileDialogs.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/Shell.h"

class QApplication;

namespace varnolet::test {

/// The one QApplication of a GUI test program, made on first use.
QApplication& EnsureApplication();

/// Answers message boxes while it lives: queued answers first, then OK (or No
/// for a question). Every box shown is recorded.
class MessageBoxAnswers {
public:
    MessageBoxAnswers();
    ~MessageBoxAnswers();
    MessageBoxAnswers(const MessageBoxAnswers&) = delete;
    MessageBoxAnswers& operator=(const MessageBoxAnswers&) = delete;

    void Queue(platform::MessageAnswer answer) { m_answers.push_back(answer); }
    const std::vector<platform::ShownMessage>& Shown() const { return m_shown; }

private:
    std::deque<platform::MessageAnswer> m_answers;
    std::vector<platform::ShownMessage> m_shown;
};

/// Answers file and folder dialogs while it lives, from a queue; an empty queue
/// answers "cancelled". Records which kind of dialog was asked for.
class FileDialogAnswers {
public:
    FileDialogAnswers();
    ~FileDialogAnswers();
    FileDialogAnswers(const FileDialogAnswers&) = delete;
    FileDialogAnswers& operator=(const FileDialogAnswers&) = delete;

    void Choose(std::string path) { m_answers.push_back({true, std::move(path)}); }
    void Cancel() { m_answers.push_back({false, {}}); }
    const std::vector<platform::FileDialogKind>& Asked() const { return m_asked; }

private:
    std::deque<platform::DialogAnswer> m_answers;
    std::vector<platform::FileDialogKind> m_asked;
};

/// Records shell requests while it lives instead of starting anything.
class ShellRecorder {
public:
    ShellRecorder();
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    const std::vector<std::pair<platform::ShellVerb, std::string>>& Requests() const {
        return m_requests;
    }

private:
    std::vector<std::pair<platform::ShellVerb, std::string>> m_requests;
};

} // namespace varnolet::test
