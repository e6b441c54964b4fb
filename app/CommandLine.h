#pragma once

#include <QString>
#include <QStringList>

namespace app {

// False when every argument is one the window takes itself (Qt's own window options, --lang):
// the window opens. Anything else runs without a window, where the command line's options work
// and anything unknown is refused with the usage line (exit code 4).
bool wantsCommandLine(const QStringList& arguments);

// Whether the command line asks for a printed (PDF) report, which needs Qt's GUI (fonts and page
// layout) though no display: a QGuiApplication on the offscreen platform instead of a
// QCoreApplication.
bool wantsPrintedReport(const QStringList& arguments);

// --help, --version and a run without a window (--preview or --post) on the opening engine,
// inside a running QCoreApplication. Returns the exit code (see HeadlessRun.h).
int runCommandLine(const QStringList& arguments, const QString& executableFolder);

} // namespace app
