#include "ImportDialog.h"
#include "Text.h"

#include "Boxes.h"
#include "FrmSimpleDataMod.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>

namespace {
const std::pair<const char*, balanceimport::Encoding> kEncodings[] = {
    {QT_TRANSLATE_NOOP("suppbeforestart", "自動判斷"), balanceimport::Encoding::Automatic},
    {"UTF-8", balanceimport::Encoding::Utf8},
    {"UTF-16", balanceimport::Encoding::Utf16},
    {"Big5", balanceimport::Encoding::Big5}};
} // namespace

ImportDialog::ImportDialog(TSimpleDataMod& dm, QString file, QWidget* parent)
    : QDialog(parent), dm_(dm), file_(std::move(file))
{
    setWindowTitle(Text::tr("匯入期初餘額"));
    if (parent)
        setFont(parent->font());
    resize(860, 520);

    encoding = new QComboBox(this);
    for (const auto& [name, value] : kEncodings)
        encoding->addItem(Text::tr(name));
    auto* choices = new QHBoxLayout;
    auto* form = new QFormLayout;
    form->addRow(Text::tr("文字編碼"), encoding);
    choices->addLayout(form);
    const QString captions[] = {Text::tr("廠商代號欄"), Text::tr("期初未付欄"), Text::tr("期初預付欄")};
    for (int i = 0; i < 3; ++i) {
        columns[i] = new QComboBox(this);
        auto* pair = new QFormLayout;
        pair->addRow(captions[i], columns[i]);
        choices->addLayout(pair);
    }
    summary = new QLabel(this);
    summary->setWordWrap(true);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    table = new QTableWidget(this);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();

    auto* buttons = new QDialogButtonBox(this);
    applyButton = buttons->addButton(Text::tr("套用(&A)"), QDialogButtonBox::AcceptRole);
    buttons->addButton(Text::tr("取消"), QDialogButtonBox::RejectRole);
    connect(applyButton, &QPushButton::clicked, this, [this] {
        if (apply())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(summary);
    layout->addWidget(table, 1);
    layout->addWidget(buttons);

    readFile();
    connect(encoding, &QComboBox::currentIndexChanged, this, [this] { readFile(); });
    for (QComboBox* column : columns)
        connect(column, &QComboBox::activated, this, [this] { compare(); });
}

// Reads the file as the encoding says, offers its columns, and compares.
void ImportDialog::readFile()
{
    sheet_ = balanceimport::readSheet(file_, kEncodings[std::max(0, encoding->currentIndex())].second);
    const balanceimport::Columns found = balanceimport::findColumns(sheet_);
    const QStringList first = sheet_.rows.isEmpty() ? QStringList() : sheet_.rows.first();
    const int chosen[] = {found.code, found.unpaid, found.prepaid};
    for (int i = 0; i < 3; ++i) {
        const QSignalBlocker quiet(columns[i]);
        columns[i]->clear();
        columns[i]->addItem(Text::tr("（無）"), QString());
        for (int c = 0; c < first.size(); ++c)
            columns[i]->addItem(Text::tr("第 %1 欄%2").arg(c + 1).arg(found.header ? Text::tr("：") + first.at(c) : QString()),
                                QString::number(c + 1));
        columns[i]->setCurrentIndex(found.error.isEmpty() ? chosen[i] + 1 : 0);
    }
    compare();
}

void ImportDialog::compare()
{
    QStringList named;
    for (QComboBox* column : columns)
        named << column->currentData().toString();
    const bool chosenByHand = named != QStringList{QString(), QString(), QString()};
    balanceimport::Columns chosen = balanceimport::findColumns(sheet_, chosenByHand ? named : QStringList());
    if (chosenByHand)
        chosen.header = balanceimport::findColumns(sheet_).header;
    difference_ = balanceimport::compareWithStored(sheet_, chosen, dm_.SQLQuery1, file_);

    summary->setText(balanceimport::differenceSummary(difference_));
    const QVector<QStringList> rows = balanceimport::differenceTable(difference_);
    table->clear();
    table->setColumnCount(static_cast<int>(rows.first().size()));
    table->setHorizontalHeaderLabels(rows.first());
    table->setRowCount(static_cast<int>(rows.size()) - 1);
    for (int row = 1; row < rows.size(); ++row) {
        const bool fault = difference_.rows.at(row - 1).status == balanceimport::RowStatus::Fault;
        for (int column = 0; column < rows.at(row).size(); ++column) {
            auto item = std::make_unique<QTableWidgetItem>(rows.at(row).at(column));
            if (fault)
                item->setForeground(Qt::red);
            table->setItem(row - 1, column, item.release());
        }
    }
    table->resizeColumnsToContents();
    applyButton->setEnabled(difference_.clean() && difference_.changed + difference_.newAccounts > 0);
}

bool ImportDialog::apply()
{
    const balanceimport::ImportApplied applied = balanceimport::applyImport(dm_, difference_, file_);
    if (!applied.error.isEmpty()) {
        toolkit::boxes().warning(applied.error);
        return false;
    }
    toolkit::boxes().information(Text::tr("期初餘額已匯入：更新 %1 家、新增帳款列 %2 家。\n匯入前的餘額已存於 %3")
                                     .arg(applied.updated)
                                     .arg(applied.inserted)
                                     .arg(applied.backupFile));
    return true;
}
