#pragma once

#include "BillWorkspace.h"
#include "OpeningReport.h"
#include "RecordSet.h"
#include "RunResult.h"
#include "Statement.h"
#include "SupplierList.h"

#include <QWidget>
#include <memory>
#include <optional>

class QDateEdit;
class QFrame;
class QLabel;
class QTableView;
class QToolButton;
class RunStatusPanel;
namespace db {
class Connection;
}
namespace toolkit {
class RecordSetModel;
}

// "廠商期初帳款開帳作業": the opening base date, the supplier list with its opening balances,
// "確定開帳" (the opening run) and "離開"; below the list, what the run would post, its progress
// and its account. The run itself is the opening engine's; the window asks and tells.
class TFormSuppBeforeStart : public QWidget {
    Q_OBJECT
public:
    explicit TFormSuppBeforeStart(QWidget* parent = nullptr);
    ~TFormSuppBeforeStart() override;

    // Binds every statement and record set of the window to the data module's connection
    // (SimpleDataMod.SQLConnection1) once the data module exists.
    void bindConnection(db::Connection* connection);

    // The run's statement and the purchase bill being built; it holds the last bill after a run.
    opening::BillWorkspace billWorkspace;

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
    std::unique_ptr<RunStatusPanel> StatusPanel;  // the contents of Panel3

    db::Statement& SQLQuery1 = billWorkspace.query;
    db::Statement SQLDataSet1;
    db::Provider DataSetProvider1{&SQLDataSet1};
    db::RecordSet ClientDataSet1;  // the supplier list
    db::Statement& SQLDataMaster = billWorkspace.headerSource;
    db::Provider& DSP_Master = billWorkspace.headerProvider;
    db::RecordSet& CDS_DataMaster = billWorkspace.header;  // the bill header being built
    db::Statement& SQLDataSub = billWorkspace.linesSource;
    db::Provider& DSP_Sub = billWorkspace.linesProvider;
    db::RecordSet& CDS_DataSub = billWorkspace.lines;      // the bill's lines

    // Event handlers.
    void FormShow();
    void SpeedButton1Click();
    void SpeedButton2Click();
    // Opens the preview of what "確定開帳" would write; writes nothing.
    void PreviewClick();
    // Asks where, then saves the last run's per-supplier account as CSV.
    void SaveAccountClick();
    // Opens the check of the stored opening documents against the list.
    void CheckClick();
    // Opens the print preview of the opening report.
    void PrintClick();
    // Asks for a spreadsheet of opening balances and shows its difference, to be applied or not.
    void ImportClick();

    // Steps of the opening run, on the window's records.
    void EnsureOpeningProduct();
    void CalcBillTotals();
    void SaveBill();

    // The supplier list as the run receives it: the rows the grid holds, or why it did not load.
    opening::SupplierList supplierList() const;
    // What "確定開帳" would write for the picker's date, as the bottom panel shows it.
    opening::OpeningPlan plan();
    // The stored opening documents tied to that plan.
    opening::CheckResult check();
    // The opening report: of the run made in this window, or of what the database holds.
    opening::OpeningReport report();

    // The last run's account, once a run has walked the list.
    const std::optional<opening::RunResult>& lastRun() const { return lastRun_; }
    bool saveAccount(const QString& path) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Loads the supplier list into the grid and shows what the run would post of it.
    void loadList();
    // Shuts the run, the preview, the check and the report for a list that did not load.
    void shutList(const QString& why);
    void showPlan();
    void showAccount(const opening::RunResult& result);

    QString listFailure_;  // why the supplier list did not load
    std::optional<opening::RunResult> lastRun_;
};

// The process-wide main window, set by start-up.
extern TFormSuppBeforeStart* FormSuppBeforeStart;
