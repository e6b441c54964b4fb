// suppbeforestart: the supplier opening-balance window "廠商期初帳款開帳作業", or with options
// (--help, --version, --preview, --post, --verify, --history, --import) the same run without a
// window. --lang zh|en chooses its language; --verbose logs what it does on standard error.
#include "CommandLine.h"
#include "CoreDumps.h"
#include "Display.h"
#include "Language.h"
#include "QtBoxes.h"
#include "Screenshot.h"
#include "Startup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <cstdio>
#include <memory>

namespace {
// --verbose turns on the program's logging categories (suppbeforestart.db, .run, .import), as
// QT_LOGGING_RULES="suppbeforestart.*.debug=true" does; the variable's rules still come last.
void logWhenVerbose(const QStringList& arguments)
{
    if (arguments.contains(QStringLiteral("--verbose")))
        QLoggingCategory::setFilterRules(QStringLiteral("suppbeforestart.*.debug=true"));
}

void nameTheProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("suppbeforestart"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SUPPBEFORESTART_VERSION));
}
} // namespace

int main(int argc, char** argv)
{
    app::forbidCoreDumps();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    logWhenVerbose(arguments);
    if (app::wantsCommandLine(arguments)) {
        std::unique_ptr<QCoreApplication> application;
        if (app::wantsPrintedReport(arguments)) {
            // No window and no display: the offscreen platform still lays out a PDF report.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            application = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            application = std::make_unique<QCoreApplication>(argc, argv);
        }
        nameTheProgram();
        app::useLanguage(app::chosenLanguage(arguments));
        return app::runCommandLine(QCoreApplication::arguments(), QCoreApplication::applicationDirPath());
    }
    if (!app::displayAvailable(arguments)) {
        std::fputs("no display: set DISPLAY, or use --preview/--post\n", stderr);
        return 1;
    }

    QApplication application(argc, argv);
    nameTheProgram();
    // The desktop matches the window to its menu entry (and so to its name and icon) by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(SUPPBEFORESTART_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/suppbeforestart.svg")));
    app::useLanguage(app::chosenLanguage(arguments));
    toolkit::setBoxes(std::make_shared<toolkit::QtBoxes>());
    const QString screenshot = qEnvironmentVariable("SUPPBEFORESTART_SCREENSHOT");
    if (!screenshot.isEmpty())
        app::closeAfterScreenshot(screenshot);
    return app::run();
}
