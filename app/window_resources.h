#pragma once
// The window's fixed data, embedded in the program.
#include <QIcon>

#include "text/text.h"

namespace kelvora {

// The window's icon, in 48, 32, 24 and 16 pixels.
QIcon window_icon();

// The fixed JPEG picture shown in 图片框2.
Bytes showcase_picture();

}  // namespace kelvora
