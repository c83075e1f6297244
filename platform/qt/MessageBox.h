#pragma once

#include <functional>
#include <string>

class QWidget;

namespace varnolet::platform {

/// The three kinds of message box, each with its caption word and icon, and
/// the error box of the help command.
enum class MessageKind { Question, Warning, Information, Error };

enum MessageAnswer : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

/// Shows a modal message box owned by `owner`. Question boxes offer Yes and No,
/// the others OK. Returns the button pressed.
MessageAnswer MessageBox(QWidget* owner, const std::string& text, const std::string& caption,
                         MessageKind kind);

/// What a test sees of one message box.
struct ShownMessage {
    std::string text;
    std::string caption;
    MessageKind kind;
};

/// Test seam: while installed, no box is shown; the hook receives each message
/// and returns the answer.
using MessageBoxHook = std::function<MessageAnswer(const ShownMessage&)>;
void SetMessageBoxHook(MessageBoxHook hook);

} // namespace varnolet::platform
