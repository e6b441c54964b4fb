#include "Preview.h"

#include "Balance.h"
#include "ClockTexts.h"
#include "DuplicateCodes.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "Statement.h"
#include "TextNumbers.h"
#include "Value.h"

namespace opening {

namespace {

int countOf(db::Statement& query, const QString& sql)
{
    query.open({sql});
    return static_cast<int>(query.asInteger(0));
}

// The sequence number the day's next bill gets: the counter row's LAST_ID, 1 without a row.
qint64 nextSequence(db::Statement& query, const QString& billDate)
{
    query.close();
    query.setLines({QStringLiteral("SELECT LAST_ID FROM PURCHASE_NUM WHERE BILL_DATE = :BILL_DATE")});
    query.setParamText(QStringLiteral("BILL_DATE"), billDate);
    query.open();
    return query.isEmpty() ? 1 : db::parseInteger(query.asText(QStringLiteral("LAST_ID"))).value_or(1);
}

bool worthShowing(BalanceReading reading)
{
    return reading == BalanceReading::Negative || reading == BalanceReading::NotANumber;
}

} // namespace

Preview previewOpening(TSimpleDataMod& dm, db::Statement& query, const QVector<SupplierRow>& suppliers,
                       const QDate& baseDate)
{
    Preview preview;
    preview.earlierBills =
        countOf(query, QStringLiteral("SELECT COUNT(*) FROM PURCHASE_MASTER WHERE MASTERBILLID LIKE '0%'"));
    preview.earlierPayments =
        countOf(query, QStringLiteral("SELECT COUNT(*) FROM PAY_MASTER WHERE MASTERBILLID LIKE '0%'"));
    // A re-run deletes every opening payment record first, so then nobody keeps one.
    const bool replacing = preview.earlierBills > 0;

    const QString billDate = billDateText(baseDate);
    const QString day = dayText(baseDate);
    qint64 sequence = nextSequence(query, billDate);
    QSet<QString> seen;
    for (const SupplierRow& supplier : suppliers) {
        if (isRepeat(seen, supplier)) {
            preview.skipped.push_back({supplier, DocumentKind::Bill, Outcome::Duplicate});
            continue;
        }
        const auto skip = [&](DocumentKind kind, BalanceReading reading) {
            if (worthShowing(reading))
                preview.skipped.push_back({supplier, kind, reading == BalanceReading::Negative ? Outcome::Negative
                                                                                              : Outcome::NotANumber});
            else
                ++preview.withoutBalance;
        };

        const Balance unpaid = readBalance(supplier.unpaid);
        if (unpaid.reading == BalanceReading::Positive) {
            const BillAmounts amounts = billAmounts(dm, supplier.taxFlag, unpaid.amount);
            const QString number = openingCode() + day + QString::asprintf("%.4lld", static_cast<long long>(sequence++));
            preview.documents.push_back({supplier, DocumentKind::Bill, number, amounts.net, amounts.tax, amounts.total});
        } else {
            skip(DocumentKind::Bill, unpaid.reading);
        }

        const Balance prepaid = readBalance(supplier.prepaid);
        if (prepaid.reading != BalanceReading::Positive) {
            skip(DocumentKind::Payment, prepaid.reading);
        } else if (!replacing && hasOpeningPayment(query, supplier.code)) {
            preview.skipped.push_back({supplier, DocumentKind::Payment, Outcome::Kept});
        } else {
            // Posted as the list holds it, not through its text.
            const double amount = db::valueToDouble(supplier.prepaid);
            preview.documents.push_back(
                {supplier, DocumentKind::Payment, paymentNumber(day, supplier.position), amount, 0.0, amount});
        }
    }
    return preview;
}

} // namespace opening
