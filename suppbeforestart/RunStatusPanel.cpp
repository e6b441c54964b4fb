#include "RunStatusPanel.h"
#include "Text.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

namespace {

QToolButton* makeButton(QFrame* panel, const QString& caption, const QFont& font)
{
    auto* button = new QToolButton(panel);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFont(font);
    return button;
}

QString clockText(qint64 ms)
{
    const qint64 seconds = (ms + 999) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}

} // namespace

RunStatusPanel::RunStatusPanel(QFrame* panel)
{
    text = new QLabel(panel);
    text->setTextFormat(Qt::PlainText);
    // Two lines in the panel's height: the balances and what the run writes of them.
    QFont small = panel->font();
    small.setPixelSize(12);
    text->setFont(small);
    // A long line is cut at the panel's edge, never widening the window; the tooltip has it whole.
    text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    progress = new QProgressBar(panel);
    progress->setFormat(QStringLiteral("%v / %m"));
    progress->setFixedWidth(150);
    progress->hide();
    preview = makeButton(panel, Text::tr("預覽"), small);
    check = makeButton(panel, Text::tr("核對"), small);
    print = makeButton(panel, Text::tr("列印"), small);
    importBalances = makeButton(panel, Text::tr("匯入餘額"), small);
    saveAccount = makeButton(panel, Text::tr("儲存明細"), small);
    saveAccount->hide();

    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(6, 2, 4, 2);
    layout->addWidget(progress);
    layout->addWidget(text, 1);
    layout->setSpacing(2);
    layout->addWidget(saveAccount);
    layout->addWidget(check);
    layout->addWidget(print);
    layout->addWidget(importBalances);
    layout->addWidget(preview);
}

void RunStatusPanel::showText(const QString& line, const QString& details)
{
    text->setText(line);
    text->setToolTip(details.isEmpty() ? line : details);
    // A screen reader reads the lines and what the tooltip adds to them.
    text->setAccessibleDescription(details.isEmpty() ? line : line + u'\n' + details);
}

void RunStatusPanel::startProgress(int total)
{
    progress->show();
    progress->setRange(0, total);
    progress->setValue(0);
    for (QToolButton* button : {preview, check, print, importBalances})
        button->setEnabled(false);
    showText(Text::tr("開帳中…"));
}

void RunStatusPanel::showProgress(int done, int total, int bills, int payments, qint64 msLeft)
{
    progress->setRange(0, total);
    progress->setValue(done);
    progress->setAccessibleDescription(QStringLiteral("%1 / %2").arg(done).arg(total));
    showText(Text::tr("進貨單 %1　預付單 %2　剩餘 %3").arg(bills).arg(payments).arg(clockText(msLeft)));
}

void RunStatusPanel::endProgress()
{
    progress->hide();
    for (QToolButton* button : {preview, check, print, importBalances})
        button->setEnabled(true);
}
