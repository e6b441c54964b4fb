// suppbeforestart: the supplier opening-balance window "廠商期初帳款開帳作業", or with options
// (--help, --version, --preview, --post, --verify, --history, --import) the same run without a
// window. --lang zh|en chooses its language.
#include "CommandLine.h"
#include "CoreDumps.h"
#include "Display.h"
#include "Language.h"
#include "QtBoxes.h"
#include "Screenshot.h"
#include "Startup.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

namespace {
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
    app::useLanguage(app::chosenLanguage(arguments));
    toolkit::setBoxes(std::make_shared<toolkit::QtBoxes>());
    const QString screenshot = qEnvironmentVariable("SUPPBEFORESTART_SCREENSHOT");
    if (!screenshot.isEmpty())
        app::closeAfterScreenshot(screenshot);
    return app::run();
}
