#include "CsvSaving.h"
#include "Text.h"

#include "Boxes.h"
#include "Csv.h"

#include <QFileDialog>

void askAndSaveCsv(QWidget* parent, const QString& title, const QString& suggestedName, const QByteArray& csv)
{
    const QString path = QFileDialog::getSaveFileName(parent, title, suggestedName, QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty() && !opening::writeFile(path, csv))
        toolkit::boxes().warning(Text::tr("檔案存檔失敗..!\n%1").arg(path));
}
