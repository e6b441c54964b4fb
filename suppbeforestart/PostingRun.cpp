#include "Boxes.h"
#include "Csv.h"
#include "CsvSaving.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "OpeningRun.h"
#include "PostingSteps.h"
#include "RunReport.h"
#include "RunStatusPanel.h"
#include "WindowRun.h"

#include <QDateEdit>
#include <QToolButton>
#include <stdexcept>

namespace {
const QString kCompleted = QStringLiteral("期初帳款開立完成..!");
} // namespace

// "確定開帳": the opening engine turns the list's balances into opening purchase bills and payment
// records. Failures that stop the run travel to the caller, which reports them; what was
// committed stays.
void TFormSuppBeforeStart::SpeedButton1Click()
{
    // One run per start of the system: a second press could only post the same balances twice.
    SpeedButton1->setEnabled(false);

    const QVector<opening::SupplierRow> suppliers = opening::supplierRows(ClientDataSet1);
    std::optional<opening::RunResult> result;
    {
        WindowRun window(*this, *StatusPanel, static_cast<int>(suppliers.size()));
        result = opening::runOpening(*SimpleDataMod, billWorkspace, suppliers, DateTimePicker1->date(), window);
    }
    if (result->end == opening::RunEnd::Busy) {
        StatusPanel->showText(result->stopError);
        toolkit::boxes().warning(result->stopError);
        return;
    }
    if (result->end == opening::RunEnd::Declined) {
        StatusPanel->showText(opening::listTotalsText(opening::listTotals(suppliers)));
        throw toolkit::SilentStop{};
    }

    // The list stands where the walk ended: on its last row, or on the supplier a failure hit.
    const int position = result->end == opening::RunEnd::Stopped ? result->stoppedAt : ClientDataSet1.recordCount();
    if (position > 0)
        ClientDataSet1.setRecNo(position);
    showAccount(*result);
    if (result->end == opening::RunEnd::Stopped)
        throw std::runtime_error(result->stopError.toStdString());

    const int failed = result->totals().billsFailed;
    const QString account = opening::runAccount(*result);
    if (failed == 0)
        toolkit::boxes().information(kCompleted, account);
    else
        toolkit::boxes().warning(kCompleted + QStringLiteral("\n其中 %1 張進貨單存檔失敗，未開立。").arg(failed), account);
}

void TFormSuppBeforeStart::showAccount(const opening::RunResult& result)
{
    lastRun_ = result;
    StatusPanel->showText(opening::runSummaryLine(result), opening::runAccount(result));
    StatusPanel->saveAccount->show();
}

bool TFormSuppBeforeStart::saveAccount(const QString& path) const
{
    return lastRun_ && opening::writeFile(path, opening::csvDocument(opening::accountTable(*lastRun_)));
}

void TFormSuppBeforeStart::SaveAccountClick()
{
    if (lastRun_)
        askAndSaveCsv(this, QStringLiteral("儲存開帳明細"), QStringLiteral("期初開帳明細.csv"),
                      opening::csvDocument(opening::accountTable(*lastRun_)));
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
    opening::calcBillTotals(*SimpleDataMod, CDS_DataMaster, CDS_DataSub, ClientDataSet1.asText(QStringLiteral("TAX_FLAG")));
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
