#include "WindowAccess.h"

#include "Boxes.h"
#include "FrmSuppBeforeStart.h"
#include "RunStatusPanel.h"
#include "Text.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDateEdit>
#include <QLabel>
#include <QProgressBar>
#include <QShortcut>
#include <QTableView>
#include <QToolButton>

namespace {

// A top-level QWidget reads to a screen reader as a mere filler; the main window is a frame.
QAccessibleInterface* windowAsFrame(const QString& className, QObject* object)
{
    if (className == QLatin1String(TFormSuppBeforeStart::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);  // Qt's cache owns it
    return nullptr;
}

void giveShortcut(QToolButton* button, const QKeySequence& keys)
{
    button->setShortcut(keys);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(button->text(), keys.toString(QKeySequence::NativeText)));
}

} // namespace

void makeAccessible(TFormSuppBeforeStart& window)
{
    static const bool factory = [] {
        QAccessible::installFactory(windowAsFrame);
        return true;
    }();
    (void)factory;

    giveShortcut(window.SpeedButton1, QKeySequence(Qt::ALT | Qt::Key_O));
    giveShortcut(window.SpeedButton2, QKeySequence(Qt::ALT | Qt::Key_X));
    RunStatusPanel& panel = *window.StatusPanel;
    giveShortcut(panel.preview, QKeySequence(Qt::ALT | Qt::Key_V));
    giveShortcut(panel.check, QKeySequence(Qt::ALT | Qt::Key_C));
    giveShortcut(panel.print, QKeySequence(Qt::ALT | Qt::Key_P));
    giveShortcut(panel.importBalances, QKeySequence(Qt::ALT | Qt::Key_I));
    giveShortcut(panel.saveAccount, QKeySequence(Qt::ALT | Qt::Key_S));
    // The panel's text unfolds its details on hover; the keyboard opens them in a box.
    auto* account = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_A), &window);  // owned by the window
    QObject::connect(account, &QShortcut::activated, &window,
                     [&panel] { toolkit::boxes().information(panel.text->text(), panel.text->toolTip()); });

    // Tab goes from the list to the next control, not from cell to cell.
    window.DBGrid1->setTabKeyNavigation(false);
    window.Label1->setBuddy(window.DateTimePicker1);

    window.setAccessibleName(window.windowTitle());
    window.DateTimePicker1->setAccessibleName(Text::tr("期初基準日期"));
    window.DBGrid1->setAccessibleName(Text::tr("廠商清單"));
    window.DBGrid1->setAccessibleDescription(Text::tr("每家廠商的期初未付與期初預付餘額"));
    panel.progress->setAccessibleName(Text::tr("開帳進度"));
    panel.text->setAccessibleName(Text::tr("開帳摘要"));
}
