#pragma once

#include <QIcon>

namespace quodlin {

// The player control's pictures, drawn here rather than looked up in the desktop's icon theme,
// which costs the start-up more than the whole drawing.
QIcon PlayIcon();
QIcon StopIcon();

}  // namespace quodlin
