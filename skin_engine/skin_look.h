#pragma once
// Turning a parsed skin into what Qt draws with.
#include <QPalette>
#include <QString>

#include "skin_engine/skin_format.h"

namespace kelvora::skin {

// The style sheet of a skin: frames, radii and colours of buttons, edit boxes,
// check boxes and group boxes. Labels and plain widgets are left to the palette
// so that a widget's own palette (a label drawn in a given colour) still wins.
QString style_sheet_for(const Skin& skin);

// The application palette of a skin.
QPalette palette_for(const Skin& skin);

}  // namespace kelvora::skin
