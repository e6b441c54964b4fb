#include "BillAmounts.h"
#include "Text.h"
#include "BillLayouts.h"
#include "BillWorkspace.h"
#include "ClockTexts.h"
#include "DbError.h"
#include "FrmSimpleDataMod.h"
#include "OpeningPlan.h"
#include "PostingSteps.h"
#include "TextNumbers.h"

namespace {

// The bill's record sets laid out and empty, their command texts naming the bill's number. A new
// bill starts from nothing: whatever is stored under its number is replaced by the save, never
// taken into the bill.
void startBill(opening::BillWorkspace& records, const QString& bill)
{
    const std::tuple<db::RecordSet*, QString, QVector<db::FieldDef> (*)()> sets[] = {
        {&records.header, QStringLiteral("SELECT * FROM PURCHASE_MASTER WHERE MASTERBILLID = :MASTERBILLID"),
         billMasterLayout},
        {&records.lines, QStringLiteral("SELECT * FROM PURCHASE_DETAIL WHERE MASTERBILLID = :MASTERBILLID"),
         billSubLayout}};
    for (const auto& [set, select, layout] : sets) {
        set->setCommandText(select);
        set->setParamText(QStringLiteral("MASTERBILLID"), bill);
        if (set->isOpen())
            set->clearRows();
        else
            set->createDataSet(layout());
    }
}

void fillHeader(db::RecordSet& header, const opening::OpeningPlan& plan, const opening::SupplierEntry& entry,
                const QString& bill)
{
    const QString& billDate = plan.stamp.billDate;
    header.edit();
    header.setAsText(QStringLiteral("BILL_DATE"), billDate);
    header.setAsText(QStringLiteral("ACC_DATE"), billDate);
    header.setAsText(QStringLiteral("MASTERBILLID"), bill);
    header.setAsText(QStringLiteral("SUPP_CORP_ID"), entry.supplier.code);
    header.setAsText(QStringLiteral("SUPP_CORP_NAME"), entry.supplier.name);
    header.setAsText(QStringLiteral("MONEY_ID"), plan.settings.in_money_id);
    header.setAsText(QStringLiteral("AGREE_YN"), QStringLiteral("Y"));
    header.setAsText(QStringLiteral("FLAG"), QStringLiteral("進貨單"));
    header.setAsText(QStringLiteral("FLAG_ID"), opening::openingCode());
    header.setAsText(QStringLiteral("STOCK_ID"), plan.settings.main_stockid);
    header.setAsText(QStringLiteral("SUPP_CORP_IDAC"), entry.supplier.parent);
    // The flag stored is the one the totals use: an unreadable flag is totalled as tax included,
    // so the bill says "1", and a program that recomputes it from its flag gets the same debt.
    header.setAsText(QStringLiteral("TAX_FLAG"), QString::number(entry.bill.taxFlag));
    header.setAsInteger(QStringLiteral("PRICE_NO"), 1);
    header.setAsText(QStringLiteral("EMPLOYEE_ID"), plan.settings.operator_id);
}

void fillLine(db::RecordSet& line, const db::RecordSet& header, const opening::OpeningPlan& plan,
              const opening::Money& unpaid, const QDateTime& now)
{
    const opening::Placeholder& product = plan.product;
    auto fromHeader = [&](const char* field) {
        const QString name = QString::fromLatin1(field);
        line.setAsText(name, header.asText(name));
    };

    line.setAsText(QStringLiteral("MASTERBILLID"), header.asText(QStringLiteral("MASTERBILLID")));
    line.setAsText(QStringLiteral("KEYINTIME"), opening::entryTimeText(now));
    line.setAsText(QStringLiteral("TEMPPRODID"), product.id);
    line.setAsText(QStringLiteral("V_NAME"), product.name);
    line.setAsDouble(QStringLiteral("V_QTY"), 1);
    line.setAsText(QStringLiteral("V_UNIT"), product.unit);
    line.setAsDouble(QStringLiteral("U_DIS"), 100);
    line.setAsDouble(QStringLiteral("V_PRICE"), unpaid.amount());
    line.setAsDouble(QStringLiteral("AMT"), unpaid.amount());
    fromHeader("MONEY_ID");
    line.setAsDouble(QStringLiteral("MONEY_RATE"),
                     db::parseDouble(header.asText(QStringLiteral("MONEY_RATE"))).value_or(1.0));
    fromHeader("TAX_FLAG");
    line.setAsText(QStringLiteral("TAX_KIND"), product.taxKind);
    line.setAsText(QStringLiteral("PROD_ID"), product.id);
    line.setAsText(QStringLiteral("PROD_BARCODE"), product.barcode);
    line.setAsText(QStringLiteral("PROD_NAME"), product.name);
    line.setAsText(QStringLiteral("PROD_SCALE"), product.scale);
    line.setAsText(QStringLiteral("UNIT_ID"), product.unit);
    line.setAsText(QStringLiteral("STK_QTY_YN"), product.countsStock);
    line.setAsText(QStringLiteral("PD_ITEMID"), product.category);
    line.setAsDouble(QStringLiteral("SALE_PRICE"), product.salePrice.amount());
    line.setAsDouble(QStringLiteral("PACK_QTY"), 1);
    fromHeader("BILL_DATE");
    fromHeader("STOCK_ID");
    fromHeader("FLAG");
    line.setAsText(QStringLiteral("FLAG_ID"), opening::openingCode());
    fromHeader("SUPP_CORP_ID");
    fromHeader("ACC_DATE");
    fromHeader("SOURCE_TYPE");
    fromHeader("SOURCE_ID");
    line.setAsText(QStringLiteral("CHG_USER"), plan.settings.operator_id);
    line.setAsText(QStringLiteral("CHG_HOST"), plan.stamp.host);
    line.setAsText(QStringLiteral("CHG_DATETIME"), opening::changeTimeText(now));
}

} // namespace

namespace opening {

void buildOpeningBill(BillWorkspace& records, const OpeningPlan& plan, const SupplierEntry& entry, const QString& number,
                      const QDateTime& now)
{
    startBill(records, number);
    fillHeader(records.header, plan, entry, number);
    records.lines.edit();
    fillLine(records.lines, records.header, plan, entry.bill.balance, now);
    records.lines.post();
    fillBillTotals(records.header, {entry.bill.net, entry.bill.tax, entry.bill.total});
    records.header.post();
}

Document saveOpeningBill(TSimpleDataMod& dm, BillWorkspace& records, const OpeningPlan& plan, const Document& planned)
{
    Document bill = planned;
    const Stored stored = plan.leftovers.contains(bill.number) ? Stored::Maybe : Stored::NothingUnderItsNumber;
    try {
        if (!saveBill(dm, records.header, records.lines, stored)) {
            bill.outcome = Outcome::Failed;
            bill.detail = Text::tr("另一交易進行中，進貨單未存檔");
            return bill;
        }
    } catch (const db::DbError& failure) {
        // Without the connection no later bill could be saved either: the run stops here.
        if (failure.isConnectionLost())
            throw;
        bill.outcome = Outcome::Failed;
        bill.detail = failure.message();
        return bill;
    } catch (const std::exception& failure) {
        bill.outcome = Outcome::Failed;
        bill.detail = QString::fromUtf8(failure.what());
        return bill;
    }
    bill.outcome = Outcome::Written;
    return bill;
}

} // namespace opening
