#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
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

struct Amounts {
    double net = 0.0;
    double tax = 0.0;
    double total = 0.0;
};

// The bill's net, tax and total from the lines' sum by the supplier's tax flag: 0 tax on top,
// 1 tax included, 2 and 3 no tax. A flag outside 0 to 3 has no tax meaning in the suite, so it
// is totalled as carrying no tax: the bill then owes exactly the (rounded) sum, with no invented
// tax share.
Amounts amountsFor(qint64 taxFlag, double sum)
{
    const int places = in_totdot;
    Amounts amounts;
    switch (taxFlag) {
    case 0:
        amounts.net = SimpleDataMod->RoundNum(sum, places);
        amounts.tax = SimpleDataMod->RoundNum(amounts.net * in_tax, places);
        amounts.total = amounts.net + amounts.tax;
        break;
    case 1:
        // Tax-inclusive amounts are split by the configured purchase rate, the same rate that
        // gives the tax, so net plus tax gives back the amount the supplier asked for.
        amounts.net = SimpleDataMod->RoundNum(sum / (1.0 + in_tax), places);
        amounts.tax = SimpleDataMod->RoundNum(amounts.net * in_tax, places);
        amounts.total = amounts.net + amounts.tax;
        break;
    default:
        amounts.net = SimpleDataMod->RoundNum(sum, places);
        amounts.total = amounts.net;
        break;
    }
    return amounts;
}

} // namespace

// Fills the header's money columns from the lines, the supplier's tax flag and the purchase
// settings. The header row is being edited; the lines are posted.
void TFormSuppBeforeStart::CalcBillTotals()
{
    const double sum = sumOfAmounts(CDS_DataSub);
    // The supplier list's flag decides, not the header's: an empty or unreadable one counts as
    // tax included.
    const qint64 taxFlag = db::parseInteger(ClientDataSet1.asText(QStringLiteral("TAX_FLAG"))).value_or(1);
    const Amounts amounts = amountsFor(taxFlag, sum);

    CDS_DataMaster.setAsDouble(QStringLiteral("TOTAL_NETAMT"), amounts.net);
    CDS_DataMaster.setAsDouble(QStringLiteral("TOTAL_TAXAMT"), amounts.tax);
    CDS_DataMaster.setAsDouble(QStringLiteral("TOTAL_TOTAMT"), amounts.total);

    auto header = [this](const char* field) { return numberOrZero(CDS_DataMaster.asText(QString::fromLatin1(field))); };
    const double money = amounts.total - header("TOTAL_DISCOUNT") - header("TOTAL_DISTAX");
    CDS_DataMaster.setAsDouble(QStringLiteral("TOTAL_MONEY"), money);
    const double surplus = money - header("NOW_PAY");
    CDS_DataMaster.setAsDouble(QStringLiteral("TOTAL_SURPLUS"), surplus);
    CDS_DataMaster.setAsDouble(QStringLiteral("SURPLUS"), surplus - header("PAYED_AMT"));
}
