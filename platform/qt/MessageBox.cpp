#include "platform/qt/MessageBox.h"

#include "platform/qt/DisplayText.h"

#include <QMessageBox>

namespace varnolet::platform {
namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

QMessageBox::Icon IconFor(MessageKind kind) {
    switch (kind) {
    case MessageKind::Question:
        return QMessageBox::Question;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

MessageAnswer MessageBox(QWidget* owner, const std::string& text, const std::string& caption,
                         MessageKind kind) {
    if (Hook()) {
        return Hook()(ShownMessage{text, caption, kind});
    }
    const bool question = kind == MessageKind::Question;
    QMessageBox box(IconFor(kind), ToDisplay(caption), ToDisplay(text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
    const int pressed = box.exec();
    if (question) {
        return pressed == QMessageBox::Yes ? IDYES : IDNO;
    }
    return IDOK;
}

} // namespace varnolet::platform
