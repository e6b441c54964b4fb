#include "ModuleHarness.h"

#include "Statement.h"

const QString firstUseQuery = QStringLiteral("SELECT COUNT(*) FROM RDB$DATABASE");

std::vector<int*> integerSettings(Settings& s)
{
    return {&s.cost_rule, &s.cost_dot,   &s.price_dot,      &s.in_sumkind,       &s.sal_sumkind,
            &s.in_totdot, &s.sal_totdot, &s.account_amtdot, &s.in_inquiry_price, &s.acc_subject_auto};
}

std::vector<QString*> textSettings(Settings& s)
{
    return {&s.in_money_id, &s.sal_money_id, &s.main_stockid, &s.main_departid, &s.accounts_receivable,
            &s.unearned_sales_revenue, &s.notes_receivable, &s.sales_return, &s.sales_tax_payable,
            &s.sales_discounts_and_allowances, &s.accounts_payable, &s.prepayment_for_purchases, &s.notes_payable,
            &s.purchase_returns, &s.prepaid_sales_tax, &s.purchase_discounts_and_allowances, &s.cash,
            &s.sales_revenue, &s.purchases, &s.cash_in_banks, &s.bank_loan, &s.corp_title, &s.corp_addr,
            &s.corp_tel, &s.corp_fax, &s.corp_email, &s.corp_idno, &s.account_id_cash};
}

LoggedModule::LoggedModule(const testsupport::TempDatabase& database)
{
    database.configure(module.SQLConnection1);
    module.SQLConnection1.setStatementObserver([this](const QString& text) { log << text; });
}

void LoggedModule::useLogin(const QString& user, const QString& password)
{
    module.SQLConnection1.params().setValue(QStringLiteral("user_name"), user);
    module.SQLConnection1.params().setValue(QStringLiteral("password"), password);
}

void LoggedModule::firstUse()
{
    db::Statement query(&module.SQLConnection1);
    query.setLines({firstUseQuery});
    query.open();
}

void LoggedModule::reconnect()
{
    module.SQLConnection1.close();
    log.clear();
    firstUse();
}

QString tableQuery(const QString& table)
{
    return QStringLiteral("SELECT RDB$RELATION_NAME FROM RDB$RELATIONS \n WHERE RDB$RELATION_NAME = '%1'").arg(table);
}

QString columnQuery(const QString& table)
{
    return QStringLiteral("SELECT * FROM RDB$RELATION_FIELDS \nWHERE RDB$RELATION_NAME = '%1'\nAND RDB$FIELD_NAME = 'PUT_ID'")
        .arg(table);
}

QString addColumn(const QString& table)
{
    return QStringLiteral("ALTER TABLE %1 ADD PUT_ID VARCHAR(10)").arg(table);
}

QString paramQuery(const QString& key)
{
    return QStringLiteral("SELECT PARAM_VALUE FROM PARAM_DEFINE where PARAM_ID='%1'").arg(key);
}

QStringList settingsLoadQueries()
{
    const QStringList keys = {
        "cost_rule", "cost_dot", "price_dot", "in_sumkind", "sal_sumkind", "in_tax", "in_tax", "in_totdot",
        "sal_totdot", "account_amtdot", "in_money_id", "sal_money_id", "main_stockid", "main_departid",
        "in_inquiry_price", "accounts_receivable", "unearned_sales_revenue", "notes_receivable", "sales_return",
        "sales_tax_payable", "sales_discounts_and_allowances", "accounts_payable", "prepayment_for_purchases",
        "notes_payable", "purchase_returns", "prepaid_sales_tax", "purchase_discounts_and_allowances", "cash",
        "sales_revenue", "purchases", "cash_in_banks", "bank_loan", "acc_subject_auto", "corp_title",
        "corp_addr", "corp_tel", "corp_fax", "corp_email", "corp_idno", "account_id_cash"};
    QStringList queries;
    for (const QString& key : keys)
        queries << paramQuery(key);
    return queries;
}

QStringList catalogueQueries()
{
    return {tableQuery("PRODUCT_PLACE"),     tableQuery("PRINTLABELBAR"),   tableQuery("STORY_PURCHASE"),
            tableQuery("STORY_CUSTSALE"),    columnQuery("CUSTORDER_DETAIL"), columnQuery("CUSTSALE_DETAIL"),
            columnQuery("CUSTSALEBK_DETAIL")};
}
