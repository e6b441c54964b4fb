#pragma once

#include <QString>

// The system parameters of PARAM_DEFINE, loaded after every connect (LoadSettings), named by
// their keys. Every one is 0 or empty when the process starts.
extern int cost_rule;
extern int cost_dot;
extern int price_dot;
extern int in_sumkind;
extern int sal_sumkind;
extern double in_tax;
extern double in_tax2;  // a second purchase tax rate, read from the in_tax key as well
extern int in_totdot;
extern int sal_totdot;
extern int account_amtdot;
extern QString in_money_id;
extern QString sal_money_id;
extern QString main_stockid;
extern QString main_departid;
extern int in_inquiry_price;
extern QString accounts_receivable;
extern QString unearned_sales_revenue;
extern QString notes_receivable;
extern QString sales_return;
extern QString sales_tax_payable;
extern QString sales_discounts_and_allowances;
extern QString accounts_payable;
extern QString prepayment_for_purchases;
extern QString notes_payable;
extern QString purchase_returns;
extern QString prepaid_sales_tax;
extern QString purchase_discounts_and_allowances;
extern QString cash;
extern QString sales_revenue;
extern QString purchases;
extern QString cash_in_banks;
extern QString bank_loan;
extern int acc_subject_auto;
extern QString corp_title;
extern QString corp_addr;
extern QString corp_tel;
extern QString corp_fax;
extern QString corp_email;
extern QString corp_idno;
extern QString account_id_cash;

// Display formats derived from cost_dot, price_dot and account_amtdot.
extern QString price_format;
extern QString cost_format;
extern QString account_amt_format;
// The operator at work; nothing in this system assigns it.
extern QString operator_id;
