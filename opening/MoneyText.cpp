#include "MoneyText.h"

#include "Settings.h"

#include <QLocale>

namespace opening {

QString moneyText(double amount)
{
    const qsizetype point = account_amt_format.indexOf(u'.');
    const int places = point < 0 ? 0 : static_cast<int>(account_amt_format.size() - point - 1);
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::DefaultNumberOptions);  // with the group separator, even in C
    return locale.toString(amount, 'f', places);
}

} // namespace opening
