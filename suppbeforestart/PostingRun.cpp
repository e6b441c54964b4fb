#include "BillLayouts.h"
#include "Boxes.h"
#include "ClockTexts.h"
#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "PostingSteps.h"
#include "TextNumbers.h"

#include <QDateEdit>
#include <QToolButton>

namespace opening {

double balanceOf(const db::RecordSet& suppliers, const QString& column)
{
    return db::parseDouble(suppliers.asText(column)).value_or(0.0);
}

} // namespace opening

namespace {

// The documents of an earlier opening run are replaced only with the operator's consent, and
// all of them or none: deleted one statement at a time, a failure in between would leave lines
// whose header is gone, which no later run would notice.
void clearEarlierRun(TFormSuppBeforeStart& form)
{
    db::Statement& query = form.SQLQuery1;
    query.open({QStringLiteral("SELECT MASTERBILLID FROM PURCHASE_MASTER WHERE MASTERBILLID LIKE '0%' ")});
    if (query.isEmpty())
        return;
    if (toolkit::boxes().confirm(QStringLiteral("期初開帳已執行確定重新開帳 ?"), QStringLiteral("Confirm"),
                                 toolkit::Button::No) != toolkit::Button::Yes)
        throw toolkit::SilentStop{};

    db::TransactionScope transaction(SimpleDataMod->SQLConnection1);
    query.execute({QStringLiteral("DELETE FROM PURCHASE_MASTER WHERE MASTERBILLID LIKE '0%' ")});
    query.execute({QStringLiteral("DELETE FROM PURCHASE_DETAIL WHERE MASTERBILLID LIKE '0%' ")});
    query.execute({QStringLiteral("DELETE FROM PAY_MASTER WHERE MASTERBILLID LIKE '0%' ")});
    transaction.commit();
}

} // namespace

// "確定開帳": turns the opening balances of the supplier list into opening purchase bills and
// payment records. Failures travel to the caller, which reports them; what was committed stays.
void TFormSuppBeforeStart::SpeedButton1Click()
{
    // One run per start of the system: a second press could only post the same balances twice.
    SpeedButton1->setEnabled(false);
    applyBillLayouts(*this);

    clearEarlierRun(*this);
    EnsureOpeningProduct();

    const QDate baseDate = DateTimePicker1->date();
    const QString billDate = opening::billDateText(baseDate);
    const QString day = opening::dayText(baseDate);
    for (ClientDataSet1.first(); !ClientDataSet1.eof(); ClientDataSet1.next()) {
        const int position = ClientDataSet1.recNo();
        const double unpaid = opening::balanceOf(ClientDataSet1, QStringLiteral("BEFORE_NOTPAY"));
        if (unpaid > 0)
            opening::postOpeningBill(*this, billDate, unpaid);
        if (opening::balanceOf(ClientDataSet1, QStringLiteral("BEFORE_ADVPAY")) > 0)
            opening::postOpeningPayment(*this, billDate, day, position);
    }

    toolkit::boxes().information(QStringLiteral("期初帳款開立完成..!"));
}
