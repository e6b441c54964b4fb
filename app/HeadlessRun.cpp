#include "HeadlessRun.h"
#include "Text.h"

#include "BalanceImport.h"
#include "BillWorkspace.h"
#include "Check.h"
#include "Csv.h"
#include "DbError.h"
#include "FrmSimpleDataMod.h"
#include "OpeningPlan.h"
#include "OpeningReport.h"
#include "OpeningRun.h"
#include "ReportPages.h"
#include "RunRecord.h"
#include "RunReport.h"
#include "StopSignals.h"
#include "Totals.h"

#include <QTextStream>
#include <exception>
#include <optional>

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
    bool stopRequested() override { return StopSignals::caught(); }
    const opening::EarlierRun& earlier() const { return earlier_; }

private:
    bool replace_;
    QTextStream& err_;
    opening::EarlierRun earlier_;
};

// What a PDF report is made of besides the documents.
struct ReportContext {
    TSimpleDataMod& dm;
    opening::BillWorkspace& bill;
    const HeadlessOptions& options;
};

// The report the options ask for: the printed report as PDF, or the documents' table as CSV.
bool writeReport(const ReportContext& context, const opening::OpeningPlan& plan,
                 const QVector<opening::SupplierEntry>& documents, const opening::CheckResult& check, QTextStream& err)
{
    const QString& path = context.options.report;
    if (path.isEmpty())
        return true;
    bool written = false;
    if (isPdfReport(path)) {
        const opening::OpeningReport report = opening::openingReport(
            documents, plan.settings, context.dm.SQLConnection1.params().value(QStringLiteral("Database")),
            context.options.baseDate, opening::lastWritingRun(context.bill.query), check);
        written = writeReportPdf(path, report);
    } else {
        written = opening::writeFile(path, opening::csvDocument(opening::documentTable(plan)));
    }
    if (!written)
        err << Text::tr("報表存檔失敗..! %1\n").arg(path);
    return written;
}

// Every supplier skipped for a fault, on standard error; whether there was one.
bool tellFaults(const opening::OpeningPlan& plan, QTextStream& err)
{
    const QStringList faults = opening::faultLines(plan.suppliers);
    for (const QString& fault : faults)
        err << fault << u'\n';
    return !faults.isEmpty();
}

// The plan for the base date; nothing, with the reason on standard error, when no run could start.
std::optional<opening::OpeningPlan> planFor(const ReportContext& context, const opening::SupplierList& suppliers,
                                         QTextStream& err)
{
    opening::OpeningPlan planned =
        opening::planOpening(context.dm, context.bill.query, suppliers, context.options.baseDate);
    if (!planned.refused())
        return planned;
    err << planned.refusal << u'\n';
    return std::nullopt;
}

int preview(const ReportContext& context, const opening::SupplierList& suppliers, QTextStream& out, QTextStream& err)
{
    const std::optional<opening::OpeningPlan> planned = planFor(context, suppliers, err);
    if (!planned)
        return kFailed;
    const opening::OpeningPlan& plan = *planned;
    out << opening::tabText(opening::documentTable(plan)) << opening::previewSummary(plan) << u'\n';
    if (plan.earlier.exists())
        out << opening::previewNotes(plan).section(u'\n', 0, 0) << u'\n';
    const bool faults = tellFaults(plan, err);
    if (!writeReport(context, plan, plan.suppliers, {}, err))
        return kFailed;
    return faults ? kDataFaults : kAllWritten;
}

int post(const ReportContext& context, const opening::SupplierList& suppliers, QTextStream& out, QTextStream& err)
{
    CommandLineRun observer(context.options.replace, err);
    // SIGTERM and SIGINT stop the run after the supplier under way, as closing the window does.
    const StopSignals stopSignals;
    const opening::RunResult result =
        opening::runOpening(context.dm, context.bill, suppliers, context.options.baseDate, observer);
    if (!result.recordWarning.isEmpty())
        err << result.recordWarning << u'\n';
    switch (result.end) {
    case opening::RunEnd::Busy:
        err << result.stopError << u'\n';
        return kOtherWorkstation;
    case opening::RunEnd::Refused:
        err << result.stopError << u'\n';
        return kFailed;
    case opening::RunEnd::Declined: {
        const opening::EarlierRun& earlier = observer.earlier();
        err << Text::tr("期初開帳已執行（期初進貨單 %1 張、明細 %2 筆、預付單 %3 筆），未寫入任何資料。"
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
    const bool reported =
        writeReport(context, result.plan, result.plan.suppliers, result.check.value_or(opening::CheckResult{}), err);
    if (result.end == opening::RunEnd::Stopped) {
        err << result.stopError << u'\n';
        return kFailed;
    }
    if (!reported || opening::totalsOf(result.plan.suppliers).failed > 0)
        return kFailed;
    return faults || (result.check && !result.check->ties()) ? kDataFaults : kAllWritten;
}

// The stored opening documents against the list: every difference, one line each, and the totals.
int verify(const ReportContext& context, const opening::SupplierList& suppliers, QTextStream& out, QTextStream& err)
{
    const std::optional<opening::OpeningPlan> planned = planFor(context, suppliers, err);
    if (!planned)
        return kFailed;
    const opening::OpeningPlan& plan = *planned;
    const opening::CheckResult check = opening::checkOpening(context.bill.query, plan);
    const QVector<QStringList> table = opening::mismatchTable(check);
    if (!check.ties())
        out << opening::tabText(table);
    out << opening::checkVerdict(check, plan.settings) << u'\n';
    if (!writeReport(context, plan, check.stored, check, err))
        return kFailed;
    return check.ties() ? kAllWritten : kDataFaults;
}

// The spreadsheet's balances against SUPPLIER_ACCOUNTS; with --apply, written all at once.
int importBalances(TSimpleDataMod& dm, opening::BillWorkspace& bill, const HeadlessOptions& options, QTextStream& out,
                   QTextStream& err)
{
    balanceimport::Encoding encoding = balanceimport::Encoding::Automatic;
    if (!options.encoding.isEmpty() && !balanceimport::encodingNamed(options.encoding, &encoding)) {
        err << Text::tr("--encoding：不認得「%1」（auto、utf-8、utf-16、big5）\n").arg(options.encoding);
        return kBadArguments;
    }
    const balanceimport::Sheet sheet = balanceimport::readSheet(options.importFile, encoding);
    const balanceimport::ImportDifference difference = balanceimport::compareWithStored(
        sheet, balanceimport::findColumns(sheet, options.columns), bill.query, options.importFile);
    if (!difference.error.isEmpty()) {
        err << difference.error << u'\n';
        return kBadArguments;
    }
    out << opening::tabText(balanceimport::differenceTable(difference)) << balanceimport::differenceSummary(difference)
        << u'\n';
    for (const QString& fault : balanceimport::faultLines(difference))
        err << fault << u'\n';
    if (!difference.clean())
        return kDataFaults;
    if (!options.apply)
        return kAllWritten;
    const balanceimport::ImportApplied applied = balanceimport::applyImport(dm, difference, options.importFile);
    if (!applied.error.isEmpty()) {
        err << applied.error << u'\n';
        return applied.busy ? kOtherWorkstation : kFailed;
    }
    out << Text::tr("已匯入：更新 %1 家、新增帳款列 %2 家。匯入前的餘額已存於 %3\n")
               .arg(applied.updated)
               .arg(applied.inserted)
               .arg(applied.backupFile);
    return kAllWritten;
}

int history(opening::BillWorkspace& bill, QTextStream& out)
{
    const QVector<opening::RunRecord> records = opening::runHistory(bill.query);
    out << Text::tr("開始\t結束\t基準日\t工作站\t登入\t使用者\t結果\t寫入\t取代\t略過\t失敗\t進貨單\t進貨單合計\t"
                          "預付單\t預付單合計\t說明\n");
    for (const opening::RunRecord& r : records)
        out << opening::tabText({{r.started.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
                                  r.ended.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
                                  r.baseDate.toString(QStringLiteral("yyyy/MM/dd")), r.host, r.login, r.osUser,
                                  opening::outcomeName(r.outcome), QString::number(r.written),
                                  QString::number(r.replaced), QString::number(r.skipped), QString::number(r.failed),
                                  QString::number(r.bills), r.billsTotal.plainText(), QString::number(r.payments),
                                  r.paymentsTotal.plainText(), r.note}});
    if (records.isEmpty())
        out << Text::tr("尚無開帳紀錄。\n");
    return kAllWritten;
}

} // namespace

bool isPdfReport(const QString& path)
{
    return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
}

int runHeadless(const HeadlessOptions& options, const QString& executableFolder, QTextStream& out, QTextStream& err)
{
    TSimpleDataMod dm(executableFolder);
    try {
        dm.DataModuleCreate();
    } catch (const std::exception& failure) {
        if (dm.configMissing())
            err << QString::fromUtf8(failure.what()) << u'\n';
        else
            err << Text::tr("dbconfig.txt：%1\n").arg(QString::fromUtf8(failure.what()));
        return kBadArguments;
    }
    if (!dm.configWarning().isEmpty())
        err << dm.configWarning() << u'\n';
    try {
        dm.SQLConnection1.open();  // the schema upgrade and the settings load come first
        opening::BillWorkspace bill;
        bill.bindConnection(&dm.SQLConnection1);
        if (options.action == HeadlessOptions::Action::History)
            return history(bill, out);
        if (options.action == HeadlessOptions::Action::Import)
            return importBalances(dm, bill, options, out, err);
        const opening::SupplierList suppliers = opening::readSupplierList(bill.query);
        if (!suppliers.loaded()) {
            err << suppliers.refusal() << u'\n';
            return kFailed;
        }
        const ReportContext context{dm, bill, options};
        switch (options.action) {
        case HeadlessOptions::Action::Post:
            return post(context, suppliers, out, err);
        case HeadlessOptions::Action::Verify:
            return verify(context, suppliers, out, err);
        default:
            return preview(context, suppliers, out, err);
        }
    } catch (const db::ConfigError& fault) {
        err << fault.message() << u'\n';
        return kBadArguments;
    } catch (const std::exception& failure) {
        err << QString::fromUtf8(failure.what()) << u'\n';
        return kFailed;
    }
}

} // namespace app
