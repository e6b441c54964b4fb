#include "HeadlessRun.h"

#include "BillWorkspace.h"
#include "Csv.h"
#include "FrmSimpleDataMod.h"
#include "OpeningRun.h"
#include "OpeningPlan.h"
#include "RunReport.h"
#include "Totals.h"

#include <QTextStream>
#include <exception>

namespace app {

namespace {

// The command line's answer to the one question: --replace, given beforehand. Failed bills are
// told as they happen.
class CommandLineRun : public opening::RunObserver {
public:
    CommandLineRun(bool replace, QTextStream& err) : replace_(replace), err_(err) {}
    bool replaceEarlierRun(const opening::EarlierRun& earlier) override
    {
        earlier_ = earlier;
        return replace_;
    }
    void billFailed(const opening::SupplierEntry& supplier) override
    {
        err_ << opening::saveFailedText(supplier.supplier.code, supplier.bill.detail) << u'\n';
        err_.flush();
    }
    void waiting(const QString& what) override
    {
        err_ << what << u'\n';
        err_.flush();
    }
    const opening::EarlierRun& earlier() const { return earlier_; }

private:
    bool replace_;
    QTextStream& err_;
    opening::EarlierRun earlier_;
};

bool writeReport(const QString& path, const opening::OpeningPlan& plan, QTextStream& err)
{
    if (path.isEmpty() || opening::writeFile(path, opening::csvDocument(opening::documentTable(plan))))
        return true;
    err << QStringLiteral("報表存檔失敗..! %1\n").arg(path);
    return false;
}

// Every supplier skipped for a fault, on standard error; whether there was one.
bool tellFaults(const opening::OpeningPlan& plan, QTextStream& err)
{
    const QStringList faults = opening::faultLines(plan.suppliers);
    for (const QString& fault : faults)
        err << fault << u'\n';
    return !faults.isEmpty();
}

int preview(TSimpleDataMod& dm, opening::BillWorkspace& bill, const opening::SupplierList& suppliers,
            const HeadlessOptions& options, QTextStream& out, QTextStream& err)
{
    const opening::OpeningPlan plan = opening::planOpening(dm, bill.query, suppliers, options.baseDate);
    if (plan.refused()) {
        err << plan.refusal << u'\n';
        return kFailed;
    }
    out << opening::tabText(opening::documentTable(plan)) << opening::previewSummary(plan) << u'\n';
    if (plan.earlier.exists())
        out << opening::previewNotes(plan).section(u'\n', 0, 0) << u'\n';
    const bool faults = tellFaults(plan, err);
    if (!writeReport(options.report, plan, err))
        return kFailed;
    return faults ? kDataFaults : kAllWritten;
}

int post(TSimpleDataMod& dm, opening::BillWorkspace& bill, const opening::SupplierList& suppliers,
         const HeadlessOptions& options, QTextStream& out, QTextStream& err)
{
    CommandLineRun observer(options.replace, err);
    const opening::RunResult result = opening::runOpening(dm, bill, suppliers, options.baseDate, observer);
    switch (result.end) {
    case opening::RunEnd::Busy:
        err << result.stopError << u'\n';
        return kOtherWorkstation;
    case opening::RunEnd::Refused:
        err << result.stopError << u'\n';
        return kFailed;
    case opening::RunEnd::Declined: {
        const opening::EarlierRun& earlier = observer.earlier();
        err << QStringLiteral("期初開帳已執行（期初進貨單 %1 張、明細 %2 筆、預付單 %3 筆），未寫入任何資料。"
                              "重新開帳請加上 --replace。\n")
                   .arg(earlier.bills)
                   .arg(earlier.lines)
                   .arg(earlier.payments);
        return kEarlierRunExists;
    }
    default:
        break;
    }
    out << opening::runAccount(result) << u'\n';
    const bool faults = tellFaults(result.plan, err);
    const bool reported = writeReport(options.report, result.plan, err);
    if (result.end == opening::RunEnd::Stopped) {
        err << result.stopError << u'\n';
        return kFailed;
    }
    if (!reported || opening::totalsOf(result.plan.suppliers).failed > 0)
        return kFailed;
    return faults ? kDataFaults : kAllWritten;
}

} // namespace

int runHeadless(const HeadlessOptions& options, const QString& executableFolder, QTextStream& out, QTextStream& err)
{
    TSimpleDataMod dm(executableFolder);
    try {
        dm.DataModuleCreate();
    } catch (const std::exception& failure) {
        err << QStringLiteral("dbconfig.txt：%1\n").arg(QString::fromUtf8(failure.what()));
        return kBadArguments;
    }
    try {
        dm.SQLConnection1.open();  // the schema upgrade and the settings load come first
        opening::BillWorkspace bill;
        bill.bindConnection(&dm.SQLConnection1);
        const opening::SupplierList suppliers = opening::readSupplierList(bill.query);
        if (!suppliers.loaded()) {
            err << suppliers.refusal() << u'\n';
            return kFailed;
        }
        return options.post ? post(dm, bill, suppliers, options, out, err)
                            : preview(dm, bill, suppliers, options, out, err);
    } catch (const std::exception& failure) {
        err << QString::fromUtf8(failure.what()) << u'\n';
        return kFailed;
    }
}

} // namespace app
