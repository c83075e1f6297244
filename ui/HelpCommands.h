#pragma once

class QWidget;

namespace varnolet {

/// Opens Manual.html beside the program in the default viewer, or says that
/// no help is available.
void OpenManual(QWidget* owner);

/// Shows the About box modally over `owner`.
void ShowAbout(QWidget* owner);

} // namespace varnolet
