#pragma once

#include <string>

class QWidget;

namespace varnolet {

/// Browse flag: offer file-system folders only (the only kind this platform has).
inline constexpr unsigned long BIF_RETURNONLYFSDIRS = 0x0001;
inline constexpr unsigned long BIF_STATUSTEXT = 0x0004;

/// The folder picker, run like a modal dialog: build it, call DoModal, and on
/// IDOK read m_szFolderPath.
class CFolderDialog {
public:
    enum Result : int { IDOK = 1, IDCANCEL = 2, CANCELLED = -1 };

    CFolderDialog(const char* lpszTitle, const char* lpszInitialPath, QWidget* pParentWnd,
                  unsigned long ulFlags);
    virtual ~CFolderDialog() = default;
    CFolderDialog(const CFolderDialog&) = delete;
    CFolderDialog& operator=(const CFolderDialog&) = delete;

    /// IDOK when a folder was chosen (its path, without a trailing separator
    /// except for the root, is in m_szFolderPath); IDCANCEL when the choice has
    /// no file-system path; -1 when the user cancelled.
    virtual int DoModal();

    unsigned long Flags() const { return m_ulFlags; }

    std::string m_szInitialPath;
    std::string m_szFolderPath;

private:
    std::string m_strTitle;
    QWidget* m_pParentWnd;
    unsigned long m_ulFlags;
};

} // namespace varnolet
