#pragma once

#include <QString>

// The system parameters of PARAM_DEFINE, loaded after every connect (LoadSettings) into the data
// module's one settings value, each named by its key. Every one is 0 or empty until the first
// connect; each connect overwrites them.
struct Settings {
    int cost_rule = 0;
    int cost_dot = 0;
    int price_dot = 0;
    int in_sumkind = 0;
    int sal_sumkind = 0;
    double in_tax = 0.0;
    double in_tax2 = 0.0;  // a second purchase tax rate, read from the in_tax key as well
    int in_totdot = 0;
    int sal_totdot = 0;
    int account_amtdot = 0;
    QString in_money_id;
    QString sal_money_id;
    QString main_stockid;
    QString main_departid;
    int in_inquiry_price = 0;
    QString accounts_receivable;
    QString unearned_sales_revenue;
    QString notes_receivable;
    QString sales_return;
    QString sales_tax_payable;
    QString sales_discounts_and_allowances;
    QString accounts_payable;
    QString prepayment_for_purchases;
    QString notes_payable;
    QString purchase_returns;
    QString prepaid_sales_tax;
    QString purchase_discounts_and_allowances;
    QString cash;
    QString sales_revenue;
    QString purchases;
    QString cash_in_banks;
    QString bank_loan;
    int acc_subject_auto = 0;
    QString corp_title;
    QString corp_addr;
    QString corp_tel;
    QString corp_fax;
    QString corp_email;
    QString corp_idno;
    QString account_id_cash;

    // Display formats derived from cost_dot, price_dot and account_amtdot.
    QString price_format;
    QString cost_format;
    QString account_amt_format;
    // The operator at work; nothing in this system assigns it.
    QString operator_id;
};
