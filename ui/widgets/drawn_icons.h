#pragma once

#include <QIcon>
#include <QPalette>

namespace quodlin {

// The buttons' pictures, solid black with a light edge, drawn here rather than looked up in the
// desktop's icon theme, which costs the start-up more than the whole drawing.

// The copy buttons': an arrow on 32x32, pointing towards the list the files go to.
QIcon RightArrowIcon();
QIcon LeftArrowIcon();

// The player control's, on 12x12.
QIcon PlayIcon();
QIcon StopIcon();

// The mark on the list row that plays, on 16x16: the play triangle in the palette's highlight
// colour, and in its highlighted text colour while the row is selected.
QIcon PlayMarkIcon(const QPalette& palette);

}  // namespace quodlin
