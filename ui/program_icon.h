#pragma once

#include <QIcon>
#include <QPixmap>

namespace quodlin {

// The program's picture: a SmartMedia card, 32x32, in the 16 colours of the old icon palette.
QPixmap ProgramPixmap();
QIcon ProgramIcon();

}  // namespace quodlin
