#include "CsvSaving.h"
#include "Text.h"

#include "Boxes.h"
#include "Csv.h"
#include "ReportFile.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

void askAndSaveCsv(QWidget* parent, const QString& title, const QString& suggestedName, const QByteArray& csv)
{
    // In the user's documents, not wherever the program was started; the dialog asks before it
    // replaces a file.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(parent, title, QDir(documents).filePath(suggestedName),
                                                      QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    if (const QString refusal = opening::reportRefusal(path, true); !refusal.isEmpty())
        toolkit::boxes().warning(refusal);
    else if (!opening::writeFile(path, csv))
        toolkit::boxes().warning(Text::tr("檔案存檔失敗..!\n%1").arg(path));
}
