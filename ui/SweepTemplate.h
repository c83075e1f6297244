#pragma once

#include <span>

namespace varnolet {

/// Control ids of the main window.
enum ControlId : int {
    IDC_NONE = -1,
    IDC_LIST_FILES = 1000,
    IDC_ADD_FILE = 1001,
    IDC_ADD_FOLDER = 1002,
    IDC_REMOVE_ITEM = 1003,
    IDC_REMOVE_ALL = 1004,
    IDC_SWEEP = 1005,
    IDC_EXIT = 1006,
    IDC_LOCAL = 1007,
    IDC_KEYWORDS = 1008,
    IDC_EXTENSIONS = 1009,
    IDC_CLEAR_KEYWORDS = 1010,
    IDC_CLEAR_EXTENSIONS = 1011,
    IDC_OUTPUT = 1012,
    IDC_CLEAR_OUTPUT = 1013,
    IDC_TEMPLATE = 1014,
    IDC_BROWSE_TEMPLATE = 1015,
    IDC_SPACES = 1016,
    IDC_PRE = 1017,
    IDC_CLEAR_TEMPLATE = 1018,
    IDC_BROWSE_OUTPUT = 1019,
    IDC_NUMERIC = 1020,
};

/// Menu command ids.
enum CommandId : int {
    ID_FILE_EXIT = 32771,
    ID_TASK_SWEEP = 32772,
    ID_HELP_MANUAL = 32773,
    ID_HELP_ABOUT = 32774,
};

enum class ControlKind { GroupBox, Label, ComboBox, PushButton, IconButton, CheckBox, ListView };

/// One control of the main window's template; position and size in dialog units.
struct ControlEntry {
    ControlKind kind;
    int id;
    const char* caption;
    int x;
    int y;
    int width;
    int height;
    const char* objectName;
};

/// The main window's client size in dialog units.
inline constexpr int kSweepDialogWidth = 399;
inline constexpr int kSweepDialogHeight = 309;

/// The controls in template order, which is also the tab order.
std::span<const ControlEntry> SweepTemplate();

} // namespace varnolet
