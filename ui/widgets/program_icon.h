#pragma once

#include <QIcon>
#include <QPixmap>

namespace quodlin {

// The program's picture, a SmartMedia card, rendered from the same SVG file that is installed as
// the desktop icon: 32x32 for the help page, and the sizes a window manager asks for.
QPixmap ProgramPixmap();
QIcon ProgramIcon();

}  // namespace quodlin
