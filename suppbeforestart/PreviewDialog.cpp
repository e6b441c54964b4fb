#include "PreviewDialog.h"
#include "Text.h"

#include "Csv.h"
#include "CsvSaving.h"
#include "RunReport.h"
#include "Totals.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kWidestColumn = 220;

void fill(QTableWidget& table, const opening::OpeningPlan& plan)
{
    const QVector<QStringList> rows = opening::documentTable(plan, opening::Amounts::Shown);
    table.setColumnCount(static_cast<int>(rows.first().size()));
    table.setHorizontalHeaderLabels(rows.first());
    // The last row, the reconciliation, stands under the table as a line of its own.
    const int documents = static_cast<int>(rows.size()) - 2;
    table.setRowCount(documents);
    for (int row = 1; row <= documents; ++row) {
        const QStringList& cells = rows.at(row);
        for (int column = 0; column < cells.size(); ++column) {
            auto item = std::make_unique<QTableWidgetItem>(cells.at(column));
            if (column >= opening::kFirstAmountColumn && column <= opening::kLastAmountColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(row - 1, column, item.release());  // the table owns its items
        }
    }
}

} // namespace

PreviewDialog::PreviewDialog(opening::OpeningPlan plan, QWidget* parent) : QDialog(parent), plan_(std::move(plan))
{
    setWindowTitle(Text::tr("開帳預覽"));
    if (parent)
        setFont(parent->font());
    resize(860, 480);

    heading = new QLabel(opening::previewSummary(plan_), this);
    reconciliation = new QLabel(opening::reconciliationText(opening::totalsOf(plan_.suppliers), plan_.settings), this);
    reconciliation->setWordWrap(true);
    reconciliation->setTextInteractionFlags(Qt::TextSelectableByMouse);
    table = new QTableWidget(this);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    fill(*table, plan_);
    table->resizeColumnsToContents();
    // A long name or reason is cut at its column's edge (the cell's tooltip is not needed: the
    // notes below name every fault in full), so that the amounts stay in view.
    for (int column = 0; column < table->columnCount(); ++column)
        table->setColumnWidth(column, std::min(table->columnWidth(column), kWidestColumn));
    notes = new QPlainTextEdit(opening::previewNotes(plan_), this);
    notes->setReadOnly(true);
    notes->setMaximumHeight(110);
    notes->setVisible(!notes->toPlainText().isEmpty());

    auto* buttons = new QDialogButtonBox(this);
    copyButton = buttons->addButton(Text::tr("複製(&C)"), QDialogButtonBox::ActionRole);
    saveButton = buttons->addButton(Text::tr("另存 CSV(&S)…"), QDialogButtonBox::ActionRole);
    buttons->addButton(Text::tr("關閉"), QDialogButtonBox::RejectRole);
    connect(copyButton, &QPushButton::clicked, this, &PreviewDialog::copy);
    connect(saveButton, &QPushButton::clicked, this, &PreviewDialog::askAndSave);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(table, 1);
    layout->addWidget(reconciliation);
    layout->addWidget(notes);
    layout->addWidget(buttons);
}

void PreviewDialog::copy() const
{
    QApplication::clipboard()->setText(opening::tabText(opening::documentTable(plan_)));
}

bool PreviewDialog::saveCsv(const QString& path) const
{
    return opening::writeFile(path, opening::csvDocument(opening::documentTable(plan_)));
}

void PreviewDialog::askAndSave()
{
    askAndSaveCsv(this, Text::tr("另存開帳預覽"), Text::tr("期初開帳預覽.csv"),
                  opening::csvDocument(opening::documentTable(plan_)));
}
