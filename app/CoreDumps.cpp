#include "CoreDumps.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#endif
#if defined(Q_OS_LINUX)
#include <sys/prctl.h>
#endif

namespace app {

void forbidCoreDumps()
{
#if defined(Q_OS_UNIX)
    const rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
#endif
#if defined(Q_OS_LINUX)
    // Also keeps a core pipe (systemd-coredump, apport) from being handed the memory, and other
    // processes of the same user from reading it through ptrace or /proc.
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
}

} // namespace app
