#pragma once

#include <QString>
#include <memory>

class TFormSuppBeforeStart;
class TSimpleDataMod;

namespace app {

// The system's two objects, made in start-up order inside a running QApplication: the main
// window FormSuppBeforeStart first, then the data module SimpleDataMod, whose connection the
// window's statements are bound to at once. Nothing here touches the database: the connection
// opens on the supplier query when the window is shown. A failure in DataModuleCreate is
// reported in the error box and start-up goes on.
class Startup {
public:
    // executableFolder: where dbconfig.txt is looked for (the application's folder when empty).
    explicit Startup(const QString& executableFolder = {});
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    TFormSuppBeforeStart& window() { return *window_; }
    TSimpleDataMod& dataModule() { return *dataModule_; }

    // Shows the main window (running FormShow) and runs the event loop until it closes.
    // Returns the loop's exit code, 0 when the window was closed.
    int exec();

private:
    // Declared in this order so that the window, whose statements use the data module's
    // connection, is released before the data module.
    std::unique_ptr<TSimpleDataMod> dataModule_;
    std::unique_ptr<TFormSuppBeforeStart> window_;
};

// The whole run of the system: start-up, the event loop, shutdown. A failure that escapes
// start-up is reported in the error box and gives exit code 1. SIGTERM and SIGINT close the
// window as its close button does.
int run(const QString& executableFolder = {});

} // namespace app
