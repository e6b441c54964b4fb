#include "Screenshot.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <chrono>

namespace app {

namespace {
constexpr auto kSettleTime = std::chrono::milliseconds(1500);

void saveScreen(const QString& path)
{
    QPixmap picture;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        picture = screen->grabWindow(0);
    if (picture.isNull())
        if (QWidget* window = QApplication::activeWindow())
            picture = window->grab();
    if (picture.isNull() || !picture.save(path, "PNG"))
        qWarning("Cannot save the screenshot to %s", qPrintable(path));
}

void takeAndClose(const QString& path)
{
    saveScreen(path);
    if (QWidget* box = QApplication::activeModalWidget()) {
        box->close();
        QTimer::singleShot(kSettleTime, qApp, [path] { takeAndClose(path); });
        return;
    }
    QApplication::closeAllWindows();
}
} // namespace

void closeAfterScreenshot(const QString& path)
{
    QTimer::singleShot(kSettleTime, qApp, [path] { takeAndClose(path); });
}

} // namespace app
