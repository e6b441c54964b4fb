#include "OpeningPlan.h"
#include "Text.h"

#include "BillAmounts.h"
#include "ClockTexts.h"
#include "ColumnBinding.h"
#include "DuplicateCodes.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "TableColumns.h"
#include "TextNumbers.h"

#include <cmath>

namespace opening {

namespace {

// Characters as the database counts them in a column: a character outside the basic plane is
// one, though it takes two UTF-16 units.
int characters(const QString& text)
{
    int count = 0;
    for (const QChar c : text)
        count += c.isLowSurrogate() ? 0 : 1;
    return count;
}

// A text the run would store in a column too narrow for it. The database would refuse it, or
// drop its trailing blanks; either way it is not stored as it stands.
struct Overflow {
    QString column;  // TABLE.COLUMN
    int length = 0;
    int width = 0;
};

std::optional<Overflow> overflow(const ColumnWidths& widths, const TableColumns& table, const char* column,
                                 const QString& text)
{
    const QString name = QString::fromLatin1(column);
    const std::optional<int> width = widths.width(table.table, name);
    const QString stored = table.textsTrimmed ? trimmedLineText(text) : text;
    const int length = characters(stored);
    if (!width || length <= *width)
        return std::nullopt;
    return Overflow{table.table + u'.' + name, length, *width};
}

// One text a document stores: which column, and what the operator calls it.
struct StoredText {
    const TableColumns* table;
    const char* column;
    QString text;
    QString what;
};

// The texts of the supplier's own that its documents store.
QVector<StoredText> supplierTexts(const SupplierRow& supplier, const Document& bill, const Document& payment)
{
    const QString code = Text::tr("廠商代號");
    const QString name = Text::tr("廠商名稱");
    QVector<StoredText> texts;
    if (bill.outcome == Outcome::Planned) {
        const QString flag = QString::number(bill.taxFlag);
        texts += {{&purchaseMasterColumns(), "SUPP_CORP_ID", supplier.code, code},
                  {&purchaseDetailColumns(), "SUPP_CORP_ID", supplier.code, code},
                  {&purchaseMasterColumns(), "SUPP_CORP_NAME", supplier.name, name},
                  {&purchaseMasterColumns(), "SUPP_CORP_IDAC", supplier.parent, Text::tr("付款廠商")},
                  {&purchaseMasterColumns(), "TAX_FLAG", flag, Text::tr("稅別")},
                  {&purchaseDetailColumns(), "TAX_FLAG", flag, Text::tr("稅別")}};
    }
    if (payment.outcome == Outcome::Planned)
        texts += {{&payMasterColumns(), "SUPP_CORP_ID", supplier.code, code},
                  {&payMasterColumns(), "SUPP_CORP_NAME", supplier.name, name}};
    return texts;
}

// The texts every bill or every payment record stores alike: settings, the placeholder product,
// the workstation, dates and numbers.
QVector<StoredText> sharedTexts(const OpeningPlan& plan, bool bills, bool payments, const QString& longestBill,
                                const QString& longestPayment)
{
    const Settings& s = plan.settings;
    const Placeholder& p = plan.product;
    const QString now = changeTimeText(QDateTime::currentDateTime());
    const QString date = Text::tr("開帳日期");
    const QString product = Text::tr("期初帳款商品 %1 的 %2");
    const auto setting = [](const char* key) { return Text::tr("系統參數 %1").arg(QLatin1String(key)); };
    const QString host = Text::tr("工作站位址");
    const QString number = Text::tr("單號");
    const TableColumns* header = &purchaseMasterColumns();
    const TableColumns* line = &purchaseDetailColumns();
    const TableColumns* pay = &payMasterColumns();
    QVector<StoredText> texts;
    if (bills)
        texts += {{header, "MASTERBILLID", longestBill, number},
                  {header, "BILL_DATE", plan.stamp.billDate, date},
                  {header, "ACC_DATE", plan.stamp.billDate, date},
                  {header, "FLAG", QStringLiteral("進貨單"), Text::tr("單別")},
                  {header, "FLAG_ID", openingCode(), Text::tr("單別代號")},
                  {header, "AGREE_YN", QStringLiteral("Y"), Text::tr("覆核")},
                  {header, "MONEY_ID", s.in_money_id, setting("in_money_id")},
                  {header, "STOCK_ID", s.main_stockid, setting("main_stockid")},
                  {header, "EMPLOYEE_ID", s.operator_id, setting("operator_id")},
                  {line, "MASTERBILLID", longestBill, number},
                  {line, "KEYINTIME", entryTimeText(QDateTime::currentDateTime()), Text::tr("輸入時間")},
                  {line, "TEMPPRODID", p.id, product.arg(p.id, QStringLiteral("PROD_ID"))},
                  {line, "V_NAME", p.name, product.arg(p.id, QStringLiteral("PROD_NAME"))},
                  {line, "V_UNIT", p.unit, product.arg(p.id, QStringLiteral("UNIT_ID"))},
                  {line, "MONEY_ID", s.in_money_id, setting("in_money_id")},
                  {line, "TAX_KIND", p.taxKind, product.arg(p.id, QStringLiteral("TAX_KIND"))},
                  {line, "PROD_ID", p.id, product.arg(p.id, QStringLiteral("PROD_ID"))},
                  {line, "PROD_BARCODE", p.barcode, product.arg(p.id, QStringLiteral("PROD_BARCODE"))},
                  {line, "PROD_NAME", p.name, product.arg(p.id, QStringLiteral("PROD_NAME"))},
                  {line, "PROD_SCALE", p.scale, product.arg(p.id, QStringLiteral("PROD_SCALE"))},
                  {line, "UNIT_ID", p.unit, product.arg(p.id, QStringLiteral("UNIT_ID"))},
                  {line, "STK_QTY_YN", p.countsStock, product.arg(p.id, QStringLiteral("STK_QTY_YN"))},
                  {line, "PD_ITEMID", p.category, product.arg(p.id, QStringLiteral("PD_ITEMID"))},
                  {line, "BILL_DATE", plan.stamp.billDate, date},
                  {line, "ACC_DATE", plan.stamp.billDate, date},
                  {line, "STOCK_ID", s.main_stockid, setting("main_stockid")},
                  {line, "FLAG", QStringLiteral("進貨單"), Text::tr("單別")},
                  {line, "FLAG_ID", openingCode(), Text::tr("單別代號")},
                  {line, "CHG_USER", s.operator_id, setting("operator_id")},
                  {line, "CHG_HOST", plan.stamp.host, host},
                  {line, "CHG_DATETIME", now, Text::tr("異動時間")}};
    if (payments)
        texts += {{pay, "MASTERBILLID", longestPayment, number},
                  {pay, "BILL_DATE", plan.stamp.billDate, date},
                  {pay, "PAY_DATE", plan.stamp.billDate, date},
                  {pay, "INI_DATE", plan.stamp.billDate, date},
                  {pay, "END_DATE", plan.stamp.billDate, date},
                  {pay, "EMPLOYEE_ID", QStringLiteral("SYSDBA"), Text::tr("採購人員")},
                  {pay, "EMPLOYEE_NAME", QStringLiteral("SYSDBA"), Text::tr("人員姓名")},
                  {pay, "REMARK", QStringLiteral("期初預收"), Text::tr("備註")},
                  {pay, "AGREE_YN", QStringLiteral("Y"), Text::tr("覆核")},
                  {pay, "CHG_USER", s.operator_id, setting("operator_id")},
                  {pay, "CR_USER", s.operator_id, setting("operator_id")},
                  {pay, "CHG_HOST", plan.stamp.host, host},
                  {pay, "CR_HOST", plan.stamp.host, host},
                  {pay, "CHG_DATETIME", now, Text::tr("異動時間")},
                  {pay, "CR_DATETIME", now, Text::tr("建檔時間")}};
    return texts;
}

QString overflowText(const StoredText& stored, const Overflow& over)
{
    return Text::tr("%1「%2」%3 字，超過 %4 的 %5 字")
        .arg(stored.what, stored.text)
        .arg(over.length)
        .arg(over.column)
        .arg(over.width);
}

// A table the documents are inserted into lacks columns the insert names: every document of
// that kind would fail.
QString missingColumns(const ColumnWidths& widths, const TableColumns& table)
{
    QStringList missing;
    const QVector<Column> columns = table.columns();
    for (const Column& column : columns)
        if (!widths.has(table.table, column.name))
            missing << column.name;
    if (missing.isEmpty())
        return {};
    if (missing.size() == columns.size())
        return Text::tr("資料表 %1 不存在，無法開帳。").arg(table.table);
    return Text::tr("資料表 %1 缺少欄位 %2，無法開帳。").arg(table.table, missing.join(Text::tr("、")));
}

Outcome notPosted(BalanceReading reading)
{
    switch (reading) {
    case BalanceReading::Zero:
        return Outcome::Zero;
    case BalanceReading::Negative:
        return Outcome::Negative;
    case BalanceReading::NotANumber:
        return Outcome::NotANumber;
    default:
        return Outcome::Empty;
    }
}

void planBill(Document& bill, const Settings& settings, const SupplierRow& supplier)
{
    const Balance unpaid = readBalance(supplier.unpaid);
    bill.balance = unpaid.amount.stored();  // as the bill's line stores it
    if (unpaid.reading != BalanceReading::Positive) {
        bill.outcome = notPosted(unpaid.reading);
        return;
    }
    const qint64 flag = totalsTaxFlag(supplier.taxFlag);
    const BillAmounts amounts = billAmounts(settings, flag, bill.balance);
    bill.taxFlag = flag;
    // As the bill's floating-point columns store them.
    bill.net = amounts.net.stored();
    bill.tax = amounts.tax.stored();
    bill.total = amounts.total.stored();
    if (!amounts.isFinite()) {
        bill.outcome = Outcome::NotFinite;
        bill.detail = Text::tr("未稅 %1 ＋ 稅額 %2 超出可儲存的金額")
                          .arg(amounts.net.plainText(), amounts.tax.plainText());
        return;
    }
    bill.outcome = Outcome::Planned;
}

void planPayment(Document& payment, const SupplierRow& supplier)
{
    const Balance prepaid = readBalance(supplier.prepaid);
    payment.balance = payment.net = payment.total = prepaid.amount;  // as the list holds it
    payment.outcome = prepaid.reading == BalanceReading::Positive ? Outcome::Planned : notPosted(prepaid.reading);
}

// A supplier whose text does not fit a column of a document it would get is posted nothing: half
// of its balances in the books would be worse than none.
void checkSupplierTexts(SupplierEntry& entry, const ColumnWidths& widths)
{
    for (const StoredText& stored : supplierTexts(entry.supplier, entry.bill, entry.payment)) {
        if (const std::optional<Overflow> over = overflow(widths, *stored.table, stored.column, stored.text)) {
            for (Document* document : {&entry.bill, &entry.payment}) {
                if (document->outcome != Outcome::Planned)
                    continue;
                document->outcome = Outcome::TooLong;
                document->detail = overflowText(stored, *over);
            }
            return;
        }
    }
}

// Why the run cannot start at all, whatever the suppliers: nothing is written then.
QString refusalOf(const OpeningPlan& plan, const StoredState& state)
{
    const Settings& settings = plan.settings;
    if (!(settings.in_tax >= 0.0 && settings.in_tax <= 1.0))
        return Text::tr("系統參數 in_tax（%1）須介於 0 與 1 之間，無法開帳。").arg(settings.in_tax);

    bool bills = false;
    bool payments = false;
    QString longestBill;
    QString longestPayment;
    for (const SupplierEntry& entry : plan.suppliers) {
        if (entry.bill.outcome == Outcome::Planned) {
            bills = true;
            longestBill = std::max(longestBill, entry.bill.number,
                                   [](const QString& a, const QString& b) { return a.size() < b.size(); });
        }
        if (entry.payment.outcome == Outcome::Planned) {
            payments = true;
            longestPayment = std::max(longestPayment, entry.payment.number,
                                      [](const QString& a, const QString& b) { return a.size() < b.size(); });
        }
    }
    for (const auto& [table, used] : {std::pair{&purchaseMasterColumns(), bills},
                                      {&purchaseDetailColumns(), bills}, {&payMasterColumns(), payments}})
        if (used)
            if (const QString missing = missingColumns(state.widths, *table); !missing.isEmpty())
                return missing;
    for (const StoredText& stored : sharedTexts(plan, bills, payments, longestBill, longestPayment))
        if (const std::optional<Overflow> over = overflow(state.widths, *stored.table, stored.column, stored.text))
            return overflowText(stored, *over) + Text::tr("，無法開帳。");
    return {};
}

} // namespace

OpeningPlan makePlan(const SupplierList& list, const Settings& settings, const QDate& baseDate,
                     const StoredState& state)
{
    OpeningPlan plan;
    plan.earlier = state.earlier;
    plan.settings = settings;
    plan.stamp = {billDateText(baseDate), dayText(baseDate), state.host};
    plan.product = state.placeholder.value_or(insertedPlaceholder());
    plan.leftovers = state.leftovers;
    if (!list.loaded()) {
        plan.refusal = list.refusal();
        return plan;
    }

    SupplierCodes codes;
    qint64 sequence = state.nextSequence;
    plan.suppliers.reserve(list.rows.size());
    for (const SupplierRow& supplier : list.rows) {
        SupplierEntry& entry = plan.suppliers.emplace_back();
        entry.supplier = supplier;
        if (const int earlier = codes.earlierRow(supplier)) {
            entry.bill.balance = readBalance(supplier.unpaid).amount.stored();
            entry.payment.balance = readBalance(supplier.prepaid).amount;
            for (Document* document : {&entry.bill, &entry.payment}) {
                document->outcome = Outcome::Duplicate;
                document->detail = Text::tr("與第 %1 列為同一廠商代號，只在該列開立").arg(earlier);
            }
            continue;
        }
        planBill(entry.bill, settings, supplier);
        planPayment(entry.payment, supplier);
        checkSupplierTexts(entry, state.widths);
        if (entry.bill.outcome == Outcome::Planned)
            entry.bill.number = billNumber(plan.stamp.day, sequence++);
        if (entry.payment.outcome == Outcome::Planned)
            entry.payment.number = paymentNumber(plan.stamp.day, supplier.position);
    }
    plan.refusal = refusalOf(plan, state);
    return plan;
}

OpeningPlan planOpening(TSimpleDataMod& dm, db::Statement& query, const SupplierList& list, const QDate& baseDate)
{
    return makePlan(list, dm.settings, baseDate, readStoredState(dm, query, baseDate));
}

} // namespace opening
