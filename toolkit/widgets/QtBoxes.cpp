#include "QtBoxes.h"

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>

namespace toolkit {

namespace {
QString applicationTitle()
{
    return QApplication::applicationName();
}

void show(QMessageBox::Icon icon, const QString& title, const QString& text, const QString& details = {})
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setDetailedText(details);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}
} // namespace

Button QtBoxes::confirm(const QString& text, const QString& caption, Button defaultButton)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultButton == Button::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Button::Yes : Button::No;
}

void QtBoxes::information(const QString& text, const QString& details)
{
    show(QMessageBox::Information, applicationTitle(), text, details);
}

void QtBoxes::warning(const QString& text, const QString& details)
{
    show(QMessageBox::Warning, applicationTitle(), text, details);
}

void QtBoxes::message(const QString& text)
{
    show(QMessageBox::NoIcon, applicationTitle(), text);
}

void QtBoxes::error(const QString& text)
{
    show(QMessageBox::Critical, applicationTitle(), text);
}

} // namespace toolkit
