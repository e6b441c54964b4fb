// suppbeforestart: the supplier opening-balance window "廠商期初帳款開帳作業".
#include "QtBoxes.h"
#include "Screenshot.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("suppbeforestart"));
    toolkit::setBoxes(std::make_shared<toolkit::QtBoxes>());
    const QString screenshot = qEnvironmentVariable("SUPPBEFORESTART_SCREENSHOT");
    if (!screenshot.isEmpty())
        app::closeAfterScreenshot(screenshot);
    return app::run();
}
