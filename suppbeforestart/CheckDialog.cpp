#include "CheckDialog.h"
#include "Text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>

CheckDialog::CheckDialog(const opening::CheckResult& result, const Settings& settings, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Text::tr("開帳核對"));
    if (parent)
        setFont(parent->font());
    resize(720, result.ties() ? 160 : 420);

    verdict = new QLabel(opening::checkVerdict(result, settings), this);
    verdict->setWordWrap(true);
    verdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    table = new QTableWidget(this);
    const QVector<QStringList> rows = opening::mismatchTable(result);
    table->setColumnCount(static_cast<int>(rows.first().size()));
    table->setHorizontalHeaderLabels(rows.first());
    table->setRowCount(static_cast<int>(rows.size()) - 1);
    for (int row = 1; row < rows.size(); ++row)
        for (int column = 0; column < rows.at(row).size(); ++column)
            table->setItem(row - 1, column, std::make_unique<QTableWidgetItem>(rows.at(row).at(column)).release());
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->resizeColumnsToContents();
    table->setVisible(!result.ties());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(verdict);
    layout->addWidget(table, 1);
    layout->addWidget(buttons);
}
