#pragma once

#include "RecordSet.h"
#include "Statement.h"

#include <QWidget>

class QDateEdit;
class QFrame;
class QLabel;
class QTableView;
class QToolButton;
namespace db {
class Connection;
}
namespace toolkit {
class RecordSetModel;
}

// "廠商期初帳款開帳作業": the opening base date, the supplier list with its opening balances,
// "確定開帳" (the posting run) and "離開". The window also holds the purchase bill being built.
class TFormSuppBeforeStart : public QWidget {
    Q_OBJECT
public:
    explicit TFormSuppBeforeStart(QWidget* parent = nullptr);
    ~TFormSuppBeforeStart() override;

    // Binds every statement and record set of the window to the data module's connection
    // (SimpleDataMod.SQLConnection1) once the data module exists.
    void bindConnection(db::Connection* connection);

    // Components, named as in the suite.
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QFrame* Panel2 = nullptr;
    QTableView* DBGrid1 = nullptr;
    toolkit::RecordSetModel* DataSource1 = nullptr;
    QFrame* Panel3 = nullptr;

    db::Statement SQLQuery1;
    db::Statement SQLDataSet1;
    db::Provider DataSetProvider1{&SQLDataSet1};
    db::RecordSet ClientDataSet1;  // the supplier list
    db::Statement SQLDataMaster;
    db::Provider DSP_Master{&SQLDataMaster};
    db::RecordSet CDS_DataMaster;  // the bill header being built
    db::Statement SQLDataSub;
    db::Provider DSP_Sub{&SQLDataSub};
    db::RecordSet CDS_DataSub;     // the bill's lines

    // Event handlers.
    void FormShow();
    void SpeedButton1Click();
    void SpeedButton2Click();

    // Steps of the posting run.
    void EnsureOpeningProduct();
    void CalcBillTotals();
    void SaveBill();

protected:
    void showEvent(QShowEvent* event) override;
};

// The process-wide main window, set by start-up.
extern TFormSuppBeforeStart* FormSuppBeforeStart;
