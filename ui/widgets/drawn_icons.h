#pragma once

#include <QIcon>

namespace quodlin {

// The buttons' pictures, solid black, drawn here rather than looked up in the desktop's icon
// theme, which costs the start-up more than the whole drawing.

// The copy buttons': an arrow on 32x32, pointing towards the list the files go to.
QIcon RightArrowIcon();
QIcon LeftArrowIcon();

// The player control's, on 12x12.
QIcon PlayIcon();
QIcon StopIcon();

}  // namespace quodlin
