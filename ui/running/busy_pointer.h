#pragma once

#include <QGuiApplication>

namespace quodlin {

// Shows the busy pointer for as long as the object lives; the pointer is normal again however
// the work ends.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace quodlin
