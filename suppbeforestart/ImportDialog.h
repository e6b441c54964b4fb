#pragma once

#include "BalanceImport.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TSimpleDataMod;

// "匯入期初餘額": the spreadsheet's balances against those stored, row by row, before anything is
// written; how a text file is read and which columns hold what can be changed, and the
// difference follows. "套用" writes it, all or nothing, when no row has a fault.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(TSimpleDataMod& dm, QString file, QWidget* parent);

    const balanceimport::ImportDifference& difference() const { return difference_; }
    // Writes the balances; the outcome is told in a box. True when they were written.
    bool apply();

    QComboBox* encoding = nullptr;
    QComboBox* columns[3] = {};
    QLabel* summary = nullptr;
    QTableWidget* table = nullptr;
    QPushButton* applyButton = nullptr;

private:
    void readFile();
    void compare();

    TSimpleDataMod& dm_;
    QString file_;
    balanceimport::Sheet sheet_;
    balanceimport::ImportDifference difference_;
};
