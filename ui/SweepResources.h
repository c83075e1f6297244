#pragma once

#include <QString>

namespace varnolet {

/// The main window's pictures, by their resource numbers.
enum class IconId : int {
    App = 128,
    Exit = 130,
    AddFile = 131,
    AddFolder = 132,
    RemoveAll = 133,
    RemoveItem = 134,
    Sweep = 135,
};

/// Makes the pictures compiled into the ui library reachable; safe to call often.
void InitSweepResources();

/// The resource path of a picture, for QIcon.
QString SweepIconPath(IconId id);

} // namespace varnolet
