#include "PreviewDialog.h"

#include "Csv.h"
#include "CsvSaving.h"
#include "MoneyText.h"
#include "RunReport.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kFirstAmountColumn = 5;

void fill(QTableWidget& table, const opening::Preview& preview)
{
    const QVector<QStringList> rows = opening::previewTable(preview);
    table.setColumnCount(static_cast<int>(rows.first().size()));
    table.setHorizontalHeaderLabels(rows.first());
    table.setRowCount(static_cast<int>(preview.documents.size()));
    for (int row = 0; row < preview.documents.size(); ++row) {
        const opening::PlannedDocument& document = preview.documents.at(row);
        const QStringList& cells = rows.at(row + 1);
        const double amounts[] = {document.net, document.tax, document.total};
        for (int column = 0; column < cells.size(); ++column) {
            const bool amount = column >= kFirstAmountColumn;
            auto item = std::make_unique<QTableWidgetItem>(
                amount ? opening::moneyText(amounts[column - kFirstAmountColumn]) : cells.at(column));
            if (amount)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(row, column, item.release());  // the table owns its items
        }
    }
}

} // namespace

PreviewDialog::PreviewDialog(opening::Preview preview, QWidget* parent) : QDialog(parent), preview_(std::move(preview))
{
    setWindowTitle(QStringLiteral("開帳預覽"));
    if (parent)
        setFont(parent->font());
    resize(720, 480);

    heading = new QLabel(opening::previewSummary(preview_), this);
    table = new QTableWidget(this);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    fill(*table, preview_);
    table->resizeColumnsToContents();
    notes = new QPlainTextEdit(opening::previewNotes(preview_), this);
    notes->setReadOnly(true);
    notes->setMaximumHeight(110);
    notes->setVisible(!notes->toPlainText().isEmpty());

    auto* buttons = new QDialogButtonBox(this);
    copyButton = buttons->addButton(QStringLiteral("複製"), QDialogButtonBox::ActionRole);
    saveButton = buttons->addButton(QStringLiteral("另存 CSV…"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("關閉"), QDialogButtonBox::RejectRole);
    connect(copyButton, &QPushButton::clicked, this, &PreviewDialog::copy);
    connect(saveButton, &QPushButton::clicked, this, &PreviewDialog::askAndSave);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(table, 1);
    layout->addWidget(notes);
    layout->addWidget(buttons);
}

void PreviewDialog::copy() const
{
    QApplication::clipboard()->setText(opening::tabText(opening::previewTable(preview_)));
}

bool PreviewDialog::saveCsv(const QString& path) const
{
    return opening::writeFile(path, opening::csvDocument(opening::previewTable(preview_)));
}

void PreviewDialog::askAndSave()
{
    askAndSaveCsv(this, QStringLiteral("另存開帳預覽"), QStringLiteral("期初開帳預覽.csv"),
                  opening::csvDocument(opening::previewTable(preview_)));
}
