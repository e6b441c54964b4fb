#pragma once

#include <QStringList>

namespace app {

// Whether a window can be shown at all: on Linux desktops a display server must be named
// (DISPLAY or WAYLAND_DISPLAY) unless a Qt platform was chosen by hand (QT_QPA_PLATFORM, or
// Qt's own option -platform among the arguments). Without one Qt would abort; the program says
// so instead.
bool displayAvailable(const QStringList& arguments);

} // namespace app
