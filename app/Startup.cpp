#include "Startup.h"

#include "Boxes.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "Reporting.h"
#include "StopSignals.h"

#include <QApplication>
#include <exception>
#include <optional>

namespace app {

namespace {
// As the window's close button would, once every box is answered as its Escape key does (the
// question to replace an earlier run with No).
void closeLikeTheOperator(QWidget& window)
{
    for (QWidget* box = QApplication::activeModalWidget(); box && box != &window;) {
        box->close();
        QWidget* next = QApplication::activeModalWidget();
        box = next == box ? nullptr : next;
    }
    window.close();
}
} // namespace

Startup::Startup(const QString& executableFolder)
{
    // The first window made is the main window; on its own it stands on the taskbar.
    window_ = std::make_unique<TFormSuppBeforeStart>();
    FormSuppBeforeStart = window_.get();
    dataModule_ = std::make_unique<TSimpleDataMod>(executableFolder);
    SimpleDataMod = dataModule_.get();
    window_->bindConnection(&SimpleDataMod->SQLConnection1);
    toolkit::runReported([this] { dataModule_->DataModuleCreate(); });
}

Startup::~Startup()
{
    window_.reset();
    FormSuppBeforeStart = nullptr;
    dataModule_.reset();
    SimpleDataMod = nullptr;
}

int Startup::exec()
{
    QApplication::setQuitOnLastWindowClosed(true);
    window_->show();
    return QApplication::exec();
}

int run(const QString& executableFolder)
{
    std::optional<Startup> startup;
    try {
        startup.emplace(executableFolder);
    } catch (const std::exception& failure) {
        toolkit::boxes().error(QString::fromUtf8(failure.what()));
        return 1;
    }
    // Installed before the first connect: the embedded engine then passes the signals on.
    StopSignals stopSignals;
    stopSignals.whenCaught(&startup->window(), [&startup] { closeLikeTheOperator(startup->window()); });
    return startup->exec();
}

} // namespace app
