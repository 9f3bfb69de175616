#include "gui/platform/BusyPointer.h"

#include <QApplication>

namespace platform {

namespace {
bool g_busy = false;
}

void setBusyPointer(bool busy)
{
    if (busy == g_busy)
        return;
    g_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool isBusyPointer()
{
    return g_busy;
}

} // namespace platform
