#include "ui/SweepTemplate.h"

namespace varnolet {
namespace {

using K = ControlKind;

// The visible height of a combo box's field; the template's 30 units include
// the dropped-down list.
constexpr int kComboField = 13;

constexpr ControlEntry kControls[] = {
    {K::GroupBox, IDC_NONE, "", 356, 40, 40, 214, "grpButtons"},
    {K::GroupBox, IDC_NONE, "Folder Options", 4, 254, 392, 52, "grpFolderOptions"},
    {K::Label, IDC_NONE, "Keywords --->", 9, 266, 53, 8, "lblKeywords"},
    {K::Label, IDC_NONE, "Extensions ->", 9, 279, 53, 8, "lblExtensions"},
    {K::GroupBox, IDC_NONE, "", 270, 0, 126, 40, "grpOptions"},
    {K::GroupBox, IDC_NONE, "Sweep Options", 4, 0, 262, 40, "grpSweepOptions"},
    {K::Label, IDC_NONE, "Output --->", 9, 11, 45, 8, "lblOutput"},
    {K::Label, IDC_NONE, "Template ->", 9, 25, 45, 8, "lblTemplate"},
    {K::ComboBox, IDC_OUTPUT, "", 57, 9, 134, kComboField, "cboOutput"},
    {K::PushButton, IDC_BROWSE_OUTPUT, "&Browse (F5)", 193, 9, 54, 13, "btnBrowseOutput"},
    {K::PushButton, IDC_CLEAR_OUTPUT, "X", 249, 9, 13, 13, "btnClearOutput"},
    {K::ComboBox, IDC_TEMPLATE, "", 57, 23, 134, kComboField, "cboTemplate"},
    {K::PushButton, IDC_BROWSE_TEMPLATE, "B&rowse (F6)", 193, 23, 54, 13, "btnBrowseTemplate"},
    {K::PushButton, IDC_CLEAR_TEMPLATE, "X", 249, 23, 13, 13, "btnClearTemplate"},
    {K::CheckBox, IDC_SPACES, "Preserve &Spaces (&&nbsp;)", 276, 9, 108, 8, "chkSpaces"},
    {K::CheckBox, IDC_NUMERIC, "Use &Numeric Values (&&#?;)", 276, 18, 113, 8, "chkNumeric"},
    {K::CheckBox, IDC_PRE, "Preserve Layout with <&PRE>", 276, 27, 116, 8, "chkPre"},
    {K::ListView, IDC_LIST_FILES, "", 8, 48, 339, 202, "lstFiles"},
    {K::ComboBox, IDC_KEYWORDS, "", 65, 263, 311, kComboField, "cboKeywords"},
    {K::PushButton, IDC_CLEAR_KEYWORDS, "X", 378, 263, 13, 13, "btnClearKeywords"},
    {K::ComboBox, IDC_EXTENSIONS, "", 65, 277, 311, kComboField, "cboExtensions"},
    {K::PushButton, IDC_CLEAR_EXTENSIONS, "X", 378, 277, 13, 13, "btnClearExtensions"},
    {K::CheckBox, IDC_LOCAL,
     "&Local sweep. Sweep only the files found in the selected folder and ignore all/any "
     "subfolders",
     11, 292, 384, 10, "chkLocal"},
    {K::IconButton, IDC_ADD_FILE, "", 360, 48, 32, 32, "btnAddFile"},
    {K::IconButton, IDC_ADD_FOLDER, "", 360, 82, 32, 32, "btnAddFolder"},
    {K::IconButton, IDC_REMOVE_ITEM, "1", 360, 116, 32, 32, "btnRemoveItem"},
    {K::IconButton, IDC_REMOVE_ALL, "", 360, 150, 32, 32, "btnRemoveAll"},
    {K::IconButton, IDC_SWEEP, "", 360, 184, 32, 32, "btnSweep"},
    {K::IconButton, IDC_EXIT, "", 360, 218, 32, 32, "btnExit"},
    {K::GroupBox, IDC_NONE, "", 4, 40, 348, 214, "grpList"},
};

} // namespace

std::span<const ControlEntry> SweepTemplate() {
    return kControls;
}

} // namespace varnolet
