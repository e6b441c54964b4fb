#include "Display.h"

#include <QtGlobal>

namespace app {

bool displayAvailable(const QStringList& arguments)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const bool platformChosen = arguments.contains(QStringLiteral("-platform")) ||
                                arguments.contains(QStringLiteral("--platform"));
    return platformChosen || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(arguments);
    return true;
#endif
}

} // namespace app
