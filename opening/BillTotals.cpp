#include "BillAmounts.h"
#include "PostingSteps.h"
#include "RecordSet.h"
#include "Settings.h"
#include "TextNumbers.h"

namespace {

double numberOrZero(const QString& text)
{
    return db::parseDouble(text).value_or(0.0);
}

// Walks the lines without moving the grid: the current line and display updates come back
// however the walk ends.
class LinesWalk {
public:
    explicit LinesWalk(db::RecordSet& lines) : lines_(lines), kept_(lines.bookmark()) { lines_.disableControls(); }
    ~LinesWalk()
    {
        if (lines_.isOpen())
            lines_.gotoBookmark(kept_);  // a bookmark taken on the same rows is always found
        lines_.enableControls();
    }
    LinesWalk(const LinesWalk&) = delete;
    LinesWalk& operator=(const LinesWalk&) = delete;

private:
    db::RecordSet& lines_;
    db::RecordSet::Bookmark kept_;
};

opening::Money sumOfAmounts(db::RecordSet& lines)
{
    const LinesWalk walk(lines);
    opening::Money sum;
    for (lines.first(); !lines.eof(); lines.next())
        sum += opening::Money(numberOrZero(lines.asText(QStringLiteral("AMT"))));
    return sum;
}

} // namespace

namespace opening {

qint64 totalsTaxFlag(const QString& supplierTaxFlag)
{
    return db::parseInteger(supplierTaxFlag).value_or(1);
}

// A flag outside 0 to 3 has no tax meaning in the suite, so it is totalled as carrying no tax: the
// bill then owes exactly the (rounded) sum, with no invented tax share.
BillAmounts billAmounts(const Settings& settings, qint64 taxFlag, Money sum)
{
    const int places = settings.in_totdot;
    BillAmounts amounts;
    switch (taxFlag) {
    case 0:
        amounts.net = sum.rounded(places);
        amounts.tax = (amounts.net * settings.in_tax).rounded(places);
        break;
    case 1:
        // Tax-inclusive amounts are split by the configured purchase rate, the same rate that
        // gives the tax, so net plus tax gives back the amount the supplier asked for.
        amounts.net = (sum / (1.0 + settings.in_tax)).rounded(places);
        amounts.tax = (amounts.net * settings.in_tax).rounded(places);
        break;
    default:
        amounts.net = sum.rounded(places);
        break;
    }
    amounts.total = amounts.net + amounts.tax;
    return amounts;
}

void fillBillTotals(db::RecordSet& header, const BillAmounts& amounts)
{
    header.setAsDouble(QStringLiteral("TOTAL_NETAMT"), amounts.net.amount());
    header.setAsDouble(QStringLiteral("TOTAL_TAXAMT"), amounts.tax.amount());
    header.setAsDouble(QStringLiteral("TOTAL_TOTAMT"), amounts.total.amount());

    auto field = [&header](const char* name) { return numberOrZero(header.asText(QString::fromLatin1(name))); };
    const double money = amounts.total.amount() - field("TOTAL_DISCOUNT") - field("TOTAL_DISTAX");
    header.setAsDouble(QStringLiteral("TOTAL_MONEY"), money);
    const double surplus = money - field("NOW_PAY");
    header.setAsDouble(QStringLiteral("TOTAL_SURPLUS"), surplus);
    header.setAsDouble(QStringLiteral("SURPLUS"), surplus - field("PAYED_AMT"));
}

void calcBillTotals(const Settings& settings, db::RecordSet& header, db::RecordSet& lines,
                    const QString& supplierTaxFlag)
{
    fillBillTotals(header, billAmounts(settings, totalsTaxFlag(supplierTaxFlag), sumOfAmounts(lines)));
}

} // namespace opening
