#include "FrmSimpleDataMod.h"
#include "SettingConversions.h"
#include "SqlText.h"

namespace {
void deriveFormat(QString& format, int places)
{
    // A places value out of range keeps the format of the earlier connect.
    if (const std::optional<QString> derived = displayFormat(places))
        format = *derived;
}
} // namespace

QString TSimpleDataMod::LoadParam(const QString& sParam_id)
{
    SQLQuery1.close();
    SQLQuery1.clearText();
    SQLQuery1.addLine(QStringLiteral("SELECT PARAM_VALUE FROM PARAM_DEFINE where PARAM_ID='") +
                      db::escapeQuotes(sParam_id) + u'\'');
    SQLQuery1.open();
    return SQLQuery1.asText(0);
}

// Runs after the schema upgrade at every connect. A failing query stops the load at its key:
// the settings before it keep their new values, the rest keep their earlier ones.
void TSimpleDataMod::LoadSettings()
{
    const auto integer = [this](const QString& key) { return integerSetting(LoadParam(key)); };
    const auto rate = [this](const QString& key) { return rateSetting(LoadParam(key)); };

    cost_rule = integer(QStringLiteral("cost_rule"));
    cost_dot = integer(QStringLiteral("cost_dot"));
    price_dot = integer(QStringLiteral("price_dot"));
    in_sumkind = integer(QStringLiteral("in_sumkind"));
    sal_sumkind = integer(QStringLiteral("sal_sumkind"));
    in_tax = rate(QStringLiteral("in_tax"));
    // The suite has no key of its own for the second rate; it follows the purchase tax rate.
    in_tax2 = rate(QStringLiteral("in_tax"));
    in_totdot = integer(QStringLiteral("in_totdot"));
    sal_totdot = integer(QStringLiteral("sal_totdot"));
    account_amtdot = integer(QStringLiteral("account_amtdot"));
    in_money_id = LoadParam(QStringLiteral("in_money_id"));
    sal_money_id = LoadParam(QStringLiteral("sal_money_id"));
    main_stockid = LoadParam(QStringLiteral("main_stockid"));
    main_departid = LoadParam(QStringLiteral("main_departid"));
    in_inquiry_price = integer(QStringLiteral("in_inquiry_price"));
    accounts_receivable = LoadParam(QStringLiteral("accounts_receivable"));
    unearned_sales_revenue = LoadParam(QStringLiteral("unearned_sales_revenue"));
    notes_receivable = LoadParam(QStringLiteral("notes_receivable"));
    sales_return = LoadParam(QStringLiteral("sales_return"));
    sales_tax_payable = LoadParam(QStringLiteral("sales_tax_payable"));
    sales_discounts_and_allowances = LoadParam(QStringLiteral("sales_discounts_and_allowances"));
    accounts_payable = LoadParam(QStringLiteral("accounts_payable"));
    prepayment_for_purchases = LoadParam(QStringLiteral("prepayment_for_purchases"));
    notes_payable = LoadParam(QStringLiteral("notes_payable"));
    purchase_returns = LoadParam(QStringLiteral("purchase_returns"));
    prepaid_sales_tax = LoadParam(QStringLiteral("prepaid_sales_tax"));
    purchase_discounts_and_allowances = LoadParam(QStringLiteral("purchase_discounts_and_allowances"));
    cash = LoadParam(QStringLiteral("cash"));
    sales_revenue = LoadParam(QStringLiteral("sales_revenue"));
    purchases = LoadParam(QStringLiteral("purchases"));
    cash_in_banks = LoadParam(QStringLiteral("cash_in_banks"));
    bank_loan = LoadParam(QStringLiteral("bank_loan"));
    acc_subject_auto = integer(QStringLiteral("acc_subject_auto"));

    deriveFormat(price_format, price_dot);
    deriveFormat(cost_format, cost_dot);
    deriveFormat(account_amt_format, account_amtdot);

    corp_title = LoadParam(QStringLiteral("corp_title"));
    corp_addr = LoadParam(QStringLiteral("corp_addr"));
    corp_tel = LoadParam(QStringLiteral("corp_tel"));
    corp_fax = LoadParam(QStringLiteral("corp_fax"));
    corp_email = LoadParam(QStringLiteral("corp_email"));
    corp_idno = LoadParam(QStringLiteral("corp_idno"));
    account_id_cash = LoadParam(QStringLiteral("account_id_cash"));
}
