#pragma once

#include <QIcon>

namespace quodlin {

// The copy buttons' pictures: a solid black arrow on 32x32, pointing towards the list the files
// go to.
QIcon RightArrowIcon();
QIcon LeftArrowIcon();

}  // namespace quodlin
