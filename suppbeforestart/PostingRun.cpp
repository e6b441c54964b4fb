#include "Boxes.h"
#include "Text.h"
#include "Csv.h"
#include "CsvSaving.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "OpeningRun.h"
#include "PostingSteps.h"
#include "RunReport.h"
#include "Totals.h"
#include "RunStatusPanel.h"
#include "WindowRun.h"

#include <QDateEdit>
#include <QToolButton>
#include <stdexcept>

namespace {
QString completedText()
{
    return Text::tr("期初帳款開立完成..!");
}
} // namespace

// "確定開帳": the opening engine turns the list's balances into opening purchase bills and payment
// records. Failures that stop the run travel to the caller, which reports them; what was
// committed stays.
void TFormSuppBeforeStart::SpeedButton1Click()
{
    // One run per start of the system that reaches its end: a second press could only post the
    // same balances twice. A run that stopped short is let run again (below).
    SpeedButton1->setEnabled(false);

    const opening::SupplierList suppliers = supplierList();
    std::optional<opening::RunResult> result;
    bool closeAsked = false;
    {
        WindowRun window(*this, *StatusPanel, static_cast<int>(suppliers.rows.size()));
        result = opening::runOpening(*SimpleDataMod, billWorkspace, suppliers, DateTimePicker1->date(), window);
        closeAsked = window.closeAsked();
    }
    // Asked to close during the run: what was written is in the record of runs, and no box
    // keeps the window open.
    if (closeAsked) {
        if (result->end == opening::RunEnd::Completed || result->end == opening::RunEnd::Stopped)
            showAccount(*result);
        close();
        return;
    }
    switch (result->end) {
    case opening::RunEnd::Busy:
    case opening::RunEnd::Refused:
        // Nothing was written: the operator learns why, and the panel keeps it in view.
        StatusPanel->showText(Text::tr("無法開帳：") + result->stopError.section(u'\n', 0, 0), result->stopError);
        toolkit::boxes().warning(result->stopError);
        return;
    case opening::RunEnd::Declined:
        showPlan();
        throw toolkit::SilentStop{};
    default:
        break;
    }

    // The list stands where the walk ended: on its last row, or on the supplier a failure hit.
    const int position = result->end == opening::RunEnd::Stopped ? result->stoppedAt : ClientDataSet1.recordCount();
    if (position > 0)
        ClientDataSet1.setRecNo(position);
    showAccount(*result);
    if (result->end == opening::RunEnd::Stopped) {
        // A run that did not reach its end may be run again, replacing what it wrote.
        SpeedButton1->setEnabled(true);
        throw std::runtime_error(result->stopError.toStdString());
    }

    const int failed = opening::totalsOf(result->plan.suppliers).failed;
    QStringList troubles;
    if (failed > 0)
        troubles << Text::tr("其中 %1 張進貨單存檔失敗，未開立。").arg(failed);
    if (result->check && !result->check->ties())
        troubles << Text::tr("開帳後核對不符 %1 項，請按「核對」查看。").arg(result->check->mismatches.size());
    if (troubles.isEmpty())
        toolkit::boxes().information(completedText());
    else
        toolkit::boxes().warning(completedText() + u'\n' + troubles.join(u'\n'), opening::runAccount(*result));
}

void TFormSuppBeforeStart::showAccount(const opening::RunResult& result)
{
    lastRun_ = result;
    QString summary = opening::runSummaryLine(result);
    if (!result.recordWarning.isEmpty())
        summary += Text::tr("　本次未記錄");
    StatusPanel->showText(summary, opening::runAccount(result));
    StatusPanel->saveAccount->show();
}

bool TFormSuppBeforeStart::saveAccount(const QString& path) const
{
    return lastRun_ && opening::writeFile(path, opening::csvDocument(opening::documentTable(lastRun_->plan)));
}

void TFormSuppBeforeStart::SaveAccountClick()
{
    if (lastRun_)
        askAndSaveCsv(this, Text::tr("儲存開帳明細"), Text::tr("期初開帳明細.csv"),
                      opening::csvDocument(opening::documentTable(lastRun_->plan)));
}

// Makes sure the placeholder product "X99X" ("期初帳款") that every opening bill line names
// exists. An existing row is left as it is: the bills copy whatever it holds.
void TFormSuppBeforeStart::EnsureOpeningProduct()
{
    opening::ensureOpeningProduct(SQLQuery1);
}

// The bill's totals by the tax flag of the supplier the list stands on.
void TFormSuppBeforeStart::CalcBillTotals()
{
    opening::calcBillTotals(SimpleDataMod->settings, CDS_DataMaster, CDS_DataSub, ClientDataSet1.asText(QStringLiteral("TAX_FLAG")));
}

// Writes the bill held in CDS_DataMaster and CDS_DataSub in one transaction. A failure is
// reported to the operator, once the transaction is rolled back, and not passed on.
void TFormSuppBeforeStart::SaveBill()
{
    try {
        opening::saveBill(*SimpleDataMod, CDS_DataMaster, CDS_DataSub);
    } catch (const std::exception& failure) {
        toolkit::boxes().warning(
            opening::saveFailedText(CDS_DataMaster.asText(QStringLiteral("SUPP_CORP_ID")), QString::fromUtf8(failure.what())));
    }
}
