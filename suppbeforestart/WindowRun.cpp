#include "WindowRun.h"
#include "Text.h"

#include "Boxes.h"
#include "RunReport.h"
#include "RunStatusPanel.h"

namespace {
// Shown this often, the bar moves smoothly and the run does not pay for it.
constexpr qint64 kRepaintMs = 50;
} // namespace

WindowRun::WindowRun(QWidget& window, RunStatusPanel& panel, int suppliers)
    : block_(&window,
             [this] {
                 closeAsked_ = true;
                 panel_.showText(Text::tr("正在中止開帳：目前的廠商完成後停止，視窗隨即關閉…"));
             }),
      panel_(panel)
{
    panel_.startProgress(suppliers);
    elapsed_.start();
    sinceShown_.start();
    toolkit::InputBlock::pump();
}

WindowRun::~WindowRun()
{
    panel_.endProgress();
}

bool WindowRun::replaceEarlierRun(const opening::EarlierRun& earlier)
{
    // The suite's question says nothing of what it would replace: the panel beneath it does.
    panel_.showText(opening::earlierRunText(earlier));
    return toolkit::boxes().confirm(Text::tr("期初開帳已執行確定重新開帳 ?"), QStringLiteral("Confirm"),
                                    toolkit::Button::No) == toolkit::Button::Yes;
}

void WindowRun::billFailed(const opening::SupplierEntry& supplier)
{
    toolkit::boxes().warning(opening::saveFailedText(supplier.supplier.code, supplier.bill.detail));
}

void WindowRun::supplierDone(const opening::SupplierEntry& supplier, int done, int total)
{
    bills_ += supplier.bill.outcome == opening::Outcome::Written;
    payments_ += supplier.payment.outcome == opening::Outcome::Written;
    if (sinceShown_.elapsed() < kRepaintMs && done < total)
        return;
    const qint64 msLeft = elapsed_.elapsed() * (total - done) / done;
    panel_.showProgress(done, total, bills_, payments_, msLeft);
    toolkit::InputBlock::pump();
    sinceShown_.restart();
}

void WindowRun::waiting(const QString& what)
{
    panel_.showText(what);
    toolkit::InputBlock::pump();
}
