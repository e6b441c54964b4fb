#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "RecordSet.h"
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

double sumOfAmounts(db::RecordSet& lines)
{
    const LinesWalk walk(lines);
    double sum = 0.0;
    for (lines.first(); !lines.eof(); lines.next())
        sum += numberOrZero(lines.asText(QStringLiteral("AMT")));
    return sum;
}

// The bill's net, tax and total from the lines' sum by the supplier's tax flag: 0 tax on top,
// 1 tax included, 2 and 3 no tax. A flag outside 0 to 3 has no tax meaning in the suite, so it
// is totalled as carrying no tax: the bill then owes exactly the (rounded) sum, with no invented
// tax share.
opening::BillAmounts amountsFor(TSimpleDataMod& dm, qint64 taxFlag, double sum)
{
    const int places = in_totdot;
    opening::BillAmounts amounts;
    switch (taxFlag) {
    case 0:
        amounts.net = dm.RoundNum(sum, places);
        amounts.tax = dm.RoundNum(amounts.net * in_tax, places);
        amounts.total = amounts.net + amounts.tax;
        break;
    case 1:
        // Tax-inclusive amounts are split by the configured purchase rate, the same rate that
        // gives the tax, so net plus tax gives back the amount the supplier asked for.
        amounts.net = dm.RoundNum(sum / (1.0 + in_tax), places);
        amounts.tax = dm.RoundNum(amounts.net * in_tax, places);
        amounts.total = amounts.net + amounts.tax;
        break;
    default:
        amounts.net = dm.RoundNum(sum, places);
        amounts.total = amounts.net;
        break;
    }
    return amounts;
}

} // namespace

namespace opening {

BillAmounts billAmounts(TSimpleDataMod& dm, const QString& supplierTaxFlag, double sum)
{
    // The supplier list's flag decides, not the header's: an empty or unreadable one counts as
    // tax included.
    return amountsFor(dm, db::parseInteger(supplierTaxFlag).value_or(1), sum);
}

void calcBillTotals(TSimpleDataMod& dm, db::RecordSet& header, db::RecordSet& lines, const QString& supplierTaxFlag)
{
    const BillAmounts amounts = billAmounts(dm, supplierTaxFlag, sumOfAmounts(lines));
    header.setAsDouble(QStringLiteral("TOTAL_NETAMT"), amounts.net);
    header.setAsDouble(QStringLiteral("TOTAL_TAXAMT"), amounts.tax);
    header.setAsDouble(QStringLiteral("TOTAL_TOTAMT"), amounts.total);

    auto field = [&header](const char* name) { return numberOrZero(header.asText(QString::fromLatin1(name))); };
    const double money = amounts.total - field("TOTAL_DISCOUNT") - field("TOTAL_DISTAX");
    header.setAsDouble(QStringLiteral("TOTAL_MONEY"), money);
    const double surplus = money - field("NOW_PAY");
    header.setAsDouble(QStringLiteral("TOTAL_SURPLUS"), surplus);
    header.setAsDouble(QStringLiteral("SURPLUS"), surplus - field("PAYED_AMT"));
}

} // namespace opening
