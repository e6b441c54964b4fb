#pragma once

#include <QString>
#include <QStringList>

namespace app {

// True when the arguments name one of the command line's options: the program then runs without
// a window. Anything else (Qt's own options among it) is left to the window.
bool wantsCommandLine(const QStringList& arguments);

// Whether the command line asks for a printed (PDF) report, which needs Qt's GUI (fonts and page
// layout) though no display: a QGuiApplication on the offscreen platform instead of a
// QCoreApplication.
bool wantsPrintedReport(const QStringList& arguments);

// --help, --version and a run without a window (--preview or --post) on the opening engine,
// inside a running QCoreApplication. Returns the exit code (see HeadlessRun.h).
int runCommandLine(const QStringList& arguments, const QString& executableFolder);

} // namespace app
