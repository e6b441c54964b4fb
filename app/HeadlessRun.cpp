#include "HeadlessRun.h"

#include "BillWorkspace.h"
#include "Csv.h"
#include "FrmSimpleDataMod.h"
#include "OpeningRun.h"
#include "Preview.h"
#include "RunReport.h"

#include <QTextStream>
#include <exception>

namespace app {

namespace {

// The command line's answer to the one question: --replace, given beforehand. Failed bills are
// told as they happen.
class CommandLineRun : public opening::RunObserver {
public:
    CommandLineRun(bool replace, QTextStream& err) : replace_(replace), err_(err) {}
    bool replaceEarlierRun(int earlierBills) override
    {
        earlierBills_ = earlierBills;
        return replace_;
    }
    void billFailed(const opening::SupplierResult& supplier) override
    {
        err_ << opening::saveFailedText(supplier.supplier.code, supplier.bill.error) << u'\n';
        err_.flush();
    }
    void waiting(const QString& what) override
    {
        err_ << what << u'\n';
        err_.flush();
    }
    int earlierBills() const { return earlierBills_; }

private:
    bool replace_;
    QTextStream& err_;
    int earlierBills_ = 0;
};

bool writeReport(const QString& path, const QVector<QStringList>& table, QTextStream& err)
{
    if (path.isEmpty() || opening::writeFile(path, opening::csvDocument(table)))
        return true;
    err << QStringLiteral("報表存檔失敗..! %1\n").arg(path);
    return false;
}

int preview(TSimpleDataMod& dm, opening::BillWorkspace& bill, const QVector<opening::SupplierRow>& suppliers,
            const HeadlessOptions& options, QTextStream& out, QTextStream& err)
{
    const opening::Preview preview = opening::previewOpening(dm, bill.query, suppliers, options.baseDate);
    const QVector<QStringList> table = opening::previewTable(preview);
    out << opening::tabText(table) << opening::previewSummary(preview) << u'\n';
    if (const QString notes = opening::previewNotes(preview); !notes.isEmpty())
        out << notes << u'\n';
    return writeReport(options.report, table, err) ? kAllWritten : kFailed;
}

int post(TSimpleDataMod& dm, opening::BillWorkspace& bill, const QVector<opening::SupplierRow>& suppliers,
         const HeadlessOptions& options, QTextStream& out, QTextStream& err)
{
    CommandLineRun observer(options.replace, err);
    const opening::RunResult result = opening::runOpening(dm, bill, suppliers, options.baseDate, observer);
    if (result.end == opening::RunEnd::Busy) {
        err << result.stopError << u'\n';
        return kOtherWorkstation;
    }
    if (result.end == opening::RunEnd::Declined) {
        err << QStringLiteral("期初開帳已執行（期初進貨單 %1 張），未寫入任何資料。重新開帳請加上 --replace。\n")
                   .arg(observer.earlierBills());
        return kEarlierRunExists;
    }
    out << opening::runAccount(result) << u'\n';
    const bool reported = writeReport(options.report, opening::accountTable(result), err);
    if (result.end == opening::RunEnd::Stopped) {
        err << result.stopError << u'\n';
        return kFailed;
    }
    const opening::RunTotals totals = result.totals();
    return reported && totals.billsFailed + totals.paymentsFailed == 0 ? kAllWritten : kFailed;
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
        db::Statement list(&dm.SQLConnection1);
        list.open({opening::supplierListQuery()});  // connects: the schema upgrade and settings come first
        const QVector<opening::SupplierRow> suppliers = opening::supplierRows(list.result());
        opening::BillWorkspace bill;
        bill.bindConnection(&dm.SQLConnection1);
        return options.post ? post(dm, bill, suppliers, options, out, err)
                            : preview(dm, bill, suppliers, options, out, err);
    } catch (const std::exception& failure) {
        err << QString::fromUtf8(failure.what()) << u'\n';
        return kFailed;
    }
}

} // namespace app
