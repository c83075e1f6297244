#include "ui/CFolderDialog.h"

#include "platform/qt/FileDialogs.h"

namespace varnolet {

CFolderDialog::CFolderDialog(const char* lpszTitle, const char* lpszInitialPath,
                             QWidget* pParentWnd, unsigned long ulFlags)
    : m_szInitialPath(lpszInitialPath ? lpszInitialPath : ""),
      m_strTitle(lpszTitle ? lpszTitle : ""), m_pParentWnd(pParentWnd), m_ulFlags(ulFlags) {}

int CFolderDialog::DoModal() {
    const platform::DialogAnswer answer =
        platform::ShowFolderDialog(m_pParentWnd, m_strTitle, m_szInitialPath);
    if (!answer.bAccepted) {
        return CANCELLED;
    }
    if (answer.path.empty()) {
        return IDCANCEL;
    }
    // The chooser may hand back "dir/"; keep the separator only on the root.
    m_szFolderPath = answer.path;
    while (m_szFolderPath.size() > 1 && m_szFolderPath.back() == '/') {
        m_szFolderPath.pop_back();
    }
    return IDOK;
}

} // namespace varnolet
