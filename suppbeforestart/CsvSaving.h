#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

// Asks the operator where to save a CSV file (suggesting a name), then writes it; a file that
// could not be written is told in a warning box.
void askAndSaveCsv(QWidget* parent, const QString& title, const QString& suggestedName, const QByteArray& csv);
