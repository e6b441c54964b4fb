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

    settings.cost_rule = integer(QStringLiteral("cost_rule"));
    settings.cost_dot = integer(QStringLiteral("cost_dot"));
    settings.price_dot = integer(QStringLiteral("price_dot"));
    settings.in_sumkind = integer(QStringLiteral("in_sumkind"));
    settings.sal_sumkind = integer(QStringLiteral("sal_sumkind"));
    settings.in_tax = rate(QStringLiteral("in_tax"));
    // The suite has no key of its own for the second rate; it follows the purchase tax rate.
    settings.in_tax2 = rate(QStringLiteral("in_tax"));
    settings.in_totdot = integer(QStringLiteral("in_totdot"));
    settings.sal_totdot = integer(QStringLiteral("sal_totdot"));
    settings.account_amtdot = integer(QStringLiteral("account_amtdot"));
    settings.in_money_id = LoadParam(QStringLiteral("in_money_id"));
    settings.sal_money_id = LoadParam(QStringLiteral("sal_money_id"));
    settings.main_stockid = LoadParam(QStringLiteral("main_stockid"));
    settings.main_departid = LoadParam(QStringLiteral("main_departid"));
    settings.in_inquiry_price = integer(QStringLiteral("in_inquiry_price"));
    settings.accounts_receivable = LoadParam(QStringLiteral("accounts_receivable"));
    settings.unearned_sales_revenue = LoadParam(QStringLiteral("unearned_sales_revenue"));
    settings.notes_receivable = LoadParam(QStringLiteral("notes_receivable"));
    settings.sales_return = LoadParam(QStringLiteral("sales_return"));
    settings.sales_tax_payable = LoadParam(QStringLiteral("sales_tax_payable"));
    settings.sales_discounts_and_allowances = LoadParam(QStringLiteral("sales_discounts_and_allowances"));
    settings.accounts_payable = LoadParam(QStringLiteral("accounts_payable"));
    settings.prepayment_for_purchases = LoadParam(QStringLiteral("prepayment_for_purchases"));
    settings.notes_payable = LoadParam(QStringLiteral("notes_payable"));
    settings.purchase_returns = LoadParam(QStringLiteral("purchase_returns"));
    settings.prepaid_sales_tax = LoadParam(QStringLiteral("prepaid_sales_tax"));
    settings.purchase_discounts_and_allowances = LoadParam(QStringLiteral("purchase_discounts_and_allowances"));
    settings.cash = LoadParam(QStringLiteral("cash"));
    settings.sales_revenue = LoadParam(QStringLiteral("sales_revenue"));
    settings.purchases = LoadParam(QStringLiteral("purchases"));
    settings.cash_in_banks = LoadParam(QStringLiteral("cash_in_banks"));
    settings.bank_loan = LoadParam(QStringLiteral("bank_loan"));
    settings.acc_subject_auto = integer(QStringLiteral("acc_subject_auto"));

    deriveFormat(settings.price_format, settings.price_dot);
    deriveFormat(settings.cost_format, settings.cost_dot);
    deriveFormat(settings.account_amt_format, settings.account_amtdot);

    settings.corp_title = LoadParam(QStringLiteral("corp_title"));
    settings.corp_addr = LoadParam(QStringLiteral("corp_addr"));
    settings.corp_tel = LoadParam(QStringLiteral("corp_tel"));
    settings.corp_fax = LoadParam(QStringLiteral("corp_fax"));
    settings.corp_email = LoadParam(QStringLiteral("corp_email"));
    settings.corp_idno = LoadParam(QStringLiteral("corp_idno"));
    settings.account_id_cash = LoadParam(QStringLiteral("account_id_cash"));
}
