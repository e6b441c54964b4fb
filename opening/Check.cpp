#include "Check.h"
#include "Text.h"

#include "RunReport.h"
#include "Statement.h"

#include <QHash>

namespace opening {

namespace {

struct StoredBill {
    QString number;
    QString supplier;
    Money net;
    Money tax;
    Money total;
    int lines = 0;
    Money lineAmount;
    bool matched = false;
};

struct StoredPayment {
    QString number;
    QString supplier;
    Money amount;
    bool matched = false;
};

struct StoredLine {
    QString number;
    QString supplier;
    Money amount;
};

// The database takes codes that differ only in trailing blanks as one code.
QString codeKey(QString code)
{
    while (code.endsWith(u' '))
        code.chop(1);
    return code;
}

bool expected(const Document& document)
{
    return document.outcome == Outcome::Planned || document.outcome == Outcome::Written;
}

QString plain(Money amount)
{
    return amount.plainText();
}

class Checker {
public:
    Checker(db::Statement& query, const OpeningPlan& plan) : plan_(plan) { read(query); }

    CheckResult result()
    {
        for (const StoredLine& line : orphanLines_)
            add(line.supplier, DocumentKind::Bill, line.number, {}, plain(line.amount), Text::tr("明細沒有表頭"));
        result_.billDate = plan_.stamp.billDate;
        result_.stored = plan_.suppliers;
        for (SupplierEntry& entry : result_.stored) {
            if (expected(entry.bill))
                entry.bill = checkBill(entry);
            if (expected(entry.payment))
                entry.payment = checkPayment(entry);
        }
        for (const StoredBill& bill : bills_)
            if (!bill.matched)
                add(bill.supplier, DocumentKind::Bill, bill.number, {}, plain(bill.total), unexpected(bill.number, bill.supplier, true));
        for (const StoredPayment& payment : payments_)
            if (!payment.matched)
                add(payment.supplier, DocumentKind::Payment, payment.number, {}, plain(payment.amount),
                    unexpected(payment.number, payment.supplier, false));

        const Totals planned = totalsOf(plan_.suppliers);
        result_.expectedBills = planned.bills;
        result_.expectedPayments = planned.payments;
        for (const StoredBill& bill : bills_)
            result_.storedBills.balance += bill.lineAmount;
        return result_;
    }

private:
    void read(db::Statement& query)
    {
        query.open({QStringLiteral("SELECT MASTERBILLID, SUPP_CORP_ID, TOTAL_NETAMT, TOTAL_TAXAMT, TOTAL_TOTAMT"),
                    QStringLiteral(" FROM PURCHASE_MASTER WHERE MASTERBILLID LIKE '0%' ORDER BY MASTERBILLID")});
        QHash<QString, int> headerOf;
        for (query.first(); !query.eof(); query.next()) {
            StoredBill bill;
            bill.number = query.asText(0);
            bill.supplier = query.asText(1);
            bill.net = Money(query.asDouble(2));
            bill.tax = Money(query.asDouble(3));
            bill.total = Money(query.asDouble(4));
            // Every row counts in what the database holds, copies too.
            ++result_.storedBills.count;
            result_.storedBills.net += bill.net;
            result_.storedBills.tax += bill.tax;
            result_.storedBills.total += bill.total;
            if (headerOf.contains(bill.number)) {
                // A number names one bill: a second header under it is a copy, whatever it holds.
                add(bill.supplier, DocumentKind::Bill, bill.number, {}, plain(bill.total), Text::tr("單號重複"));
                continue;
            }
            headerOf.insert(bill.number, static_cast<int>(bills_.size()));
            bills_ << bill;
        }
        query.open({QStringLiteral("SELECT MASTERBILLID, SUPP_CORP_ID, AMT FROM PURCHASE_DETAIL"),
                    QStringLiteral(" WHERE MASTERBILLID LIKE '0%' ORDER BY MASTERBILLID")});
        for (query.first(); !query.eof(); query.next()) {
            const StoredLine line{query.asText(0), query.asText(1), Money(query.asDouble(2))};
            const auto header = headerOf.constFind(line.number);
            if (header == headerOf.constEnd()) {
                orphanLines_ << line;
                continue;
            }
            StoredBill& bill = bills_[*header];
            if (bill.lines++ == 0)
                bill.lineAmount = line.amount;
        }
        query.open({QStringLiteral("SELECT MASTERBILLID, SUPP_CORP_ID, CASH_AMT FROM PAY_MASTER"),
                    QStringLiteral(" WHERE MASTERBILLID LIKE '0%' ORDER BY MASTERBILLID, SUPP_CORP_ID")});
        QSet<QString> paymentNumbers;
        for (query.first(); !query.eof(); query.next()) {
            StoredPayment payment{query.asText(0), query.asText(1), Money(query.asDouble(2)), false};
            ++result_.storedPayments.count;
            result_.storedPayments.balance += payment.amount;
            result_.storedPayments.total += payment.amount;
            if (paymentNumbers.contains(payment.number)) {
                add(payment.supplier, DocumentKind::Payment, payment.number, {}, plain(payment.amount),
                    Text::tr("單號重複"));
                continue;
            }
            paymentNumbers.insert(payment.number);
            payments_ << payment;
        }
        for (qsizetype i = 0; i < bills_.size(); ++i)
            billsOf_[codeKey(bills_.at(i).supplier)] << i;
        for (qsizetype i = 0; i < payments_.size(); ++i)
            paymentNumbered_.insert(payments_.at(i).number, i);
    }

    bool ofTheBaseDate(const QString& number) const { return number.mid(1, 8) == plan_.stamp.day; }

    // The bill as stored: Written with what the database holds, or NotReached when it holds none.
    Document checkBill(const SupplierEntry& entry)
    {
        const Document& planned = entry.bill;
        Document found = planned;
        found.outcome = Outcome::NotReached;
        const QString& code = entry.supplier.code;
        QVector<StoredBill*> candidates;
        for (const qsizetype i : billsOf_.value(codeKey(code)))
            if (!bills_[i].matched && ofTheBaseDate(bills_[i].number))
                candidates << &bills_[i];
        if (candidates.isEmpty()) {
            add(code, DocumentKind::Bill, planned.outcome == Outcome::Written ? planned.number : QString(),
                plain(planned.total), {}, Text::tr("缺少進貨單"));
            return found;
        }
        // Once written the bill has its number; before, any number of the day will do.
        StoredBill* bill = candidates.first();
        for (StoredBill* candidate : candidates)
            if (candidate->number == planned.number)
                bill = candidate;
        bill->matched = true;
        if (planned.outcome == Outcome::Written && bill->number != planned.number)
            add(code, DocumentKind::Bill, bill->number, planned.number, bill->number, Text::tr("單號不符"));
        const std::pair<QString, std::pair<Money, Money>> amounts[] = {
            {Text::tr("未稅不符"), {planned.net, bill->net}},
            {Text::tr("稅額不符"), {planned.tax, bill->tax}},
            {Text::tr("合計不符"), {planned.total, bill->total}}};
        for (const auto& [what, values] : amounts)
            if (values.first != values.second)
                add(code, DocumentKind::Bill, bill->number, plain(values.first), plain(values.second), what);
        if (bill->lines == 0)
            add(code, DocumentKind::Bill, bill->number, QStringLiteral("1"), QStringLiteral("0"), Text::tr("缺少明細"));
        else if (bill->lines > 1)
            add(code, DocumentKind::Bill, bill->number, QStringLiteral("1"), QString::number(bill->lines),
                Text::tr("明細多於一筆"));
        else if (bill->lineAmount != planned.balance)
            add(code, DocumentKind::Bill, bill->number, plain(planned.balance), plain(bill->lineAmount),
                Text::tr("明細金額不符"));
        for (StoredBill* copy : candidates)
            if (!copy->matched) {
                copy->matched = true;
                add(code, DocumentKind::Bill, copy->number, {}, plain(copy->total), Text::tr("重複進貨單"));
            }
        found.outcome = Outcome::Written;
        found.number = bill->number;
        found.balance = bill->lineAmount;
        found.net = bill->net;
        found.tax = bill->tax;
        found.total = bill->total;
        return found;
    }

    Document checkPayment(const SupplierEntry& entry)
    {
        const Document& planned = entry.payment;
        Document found = planned;
        found.outcome = Outcome::NotReached;
        const QString& code = entry.supplier.code;
        const auto at = paymentNumbered_.constFind(planned.number);
        StoredPayment* stored = at == paymentNumbered_.constEnd() || payments_[*at].matched ? nullptr : &payments_[*at];
        if (!stored) {
            // Stored for the supplier under another number is no record of this run's either.
            add(code, DocumentKind::Payment, planned.number, plain(planned.total), {}, Text::tr("缺少預付單"));
            return found;
        }
        stored->matched = true;
        if (codeKey(stored->supplier) != codeKey(code))
            add(code, DocumentKind::Payment, planned.number, code, stored->supplier, Text::tr("廠商不符"));
        if (stored->amount != planned.total)
            add(code, DocumentKind::Payment, planned.number, plain(planned.total), plain(stored->amount),
                Text::tr("金額不符"));
        found.outcome = Outcome::Written;
        found.balance = found.net = found.total = stored->amount;
        return found;
    }

    // Why nobody expects a stored document.
    QString unexpected(const QString& number, const QString& supplier, bool bill) const
    {
        if (!ofTheBaseDate(number))
            return Text::tr("非本基準日的期初單據");
        for (const SupplierEntry& entry : plan_.suppliers) {
            if (codeKey(entry.supplier.code) != codeKey(supplier))
                continue;
            const Document& document = bill ? entry.bill : entry.payment;
            return expected(document) ? (bill ? Text::tr("重複進貨單") : Text::tr("重複預付單"))
                                      : Text::tr("不應開立：%1").arg(outcomeText(document.outcome));
        }
        return Text::tr("清單中沒有此廠商");
    }

    void add(const QString& supplier, DocumentKind kind, const QString& number, const QString& expectedText,
             const QString& storedText, const QString& what)
    {
        result_.mismatches.push_back({supplier, kind, number, expectedText, storedText, what});
    }

    const OpeningPlan& plan_;
    QVector<StoredBill> bills_;
    QVector<StoredPayment> payments_;
    QVector<StoredLine> orphanLines_;
    QHash<QString, QVector<qsizetype>> billsOf_;
    QHash<QString, qsizetype> paymentNumbered_;
    CheckResult result_;
};

QString documentsText(const DocumentTotals& bills, const DocumentTotals& payments, int places)
{
    return Text::tr("進貨單 %1 張 合計 %2、預付單 %3 筆 %4")
        .arg(bills.count)
        .arg(bills.total.text(places))
        .arg(payments.count)
        .arg(payments.total.text(places));
}

} // namespace

CheckResult checkOpening(db::Statement& query, const OpeningPlan& plan)
{
    return Checker(query, plan).result();
}

QString checkVerdict(const CheckResult& result, const Settings& settings)
{
    const int places = moneyPlaces(settings);
    const QString expectedText = documentsText(result.expectedBills, result.expectedPayments, places);
    if (result.ties())
        return Text::tr("基準日 %1 核對相符：%2，與資料庫所存一致").arg(result.billDate, expectedText);
    const QString storedText = result.storedBills.count + result.storedPayments.count == 0
                                   ? Text::tr("資料庫中沒有期初單據")
                                   : Text::tr("資料庫 ") + documentsText(result.storedBills, result.storedPayments, places);
    return Text::tr("基準日 %1 核對不符 %2 項：應有 %3；%4")
        .arg(result.billDate)
        .arg(result.mismatches.size())
        .arg(expectedText, storedText);
}

QVector<QStringList> mismatchTable(const CheckResult& result)
{
    QVector<QStringList> rows{{Text::tr("廠商代號"), Text::tr("單據"), Text::tr("單號"),
                               Text::tr("應為"), Text::tr("資料庫"), Text::tr("差異")}};
    for (const Mismatch& mismatch : result.mismatches)
        rows << QStringList{mismatch.supplier, kindText(mismatch.kind), mismatch.number, mismatch.expected,
                            mismatch.stored, mismatch.what};
    return rows;
}

} // namespace opening
