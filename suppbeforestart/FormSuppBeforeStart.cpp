#include "FrmSuppBeforeStart.h"

#include "Connection.h"

#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QTableView>
#include <QToolButton>

TFormSuppBeforeStart* FormSuppBeforeStart = nullptr;

TFormSuppBeforeStart::TFormSuppBeforeStart(QWidget* parent) : QWidget(parent)
{
    ClientDataSet1.setProvider(&DataSetProvider1);
    CDS_DataMaster.setProvider(&DSP_Master);
    CDS_DataSub.setProvider(&DSP_Sub);

    Panel1 = new QFrame(this);
    Label1 = new QLabel(QStringLiteral("期初基準日期"), Panel1);
    DateTimePicker1 = new QDateEdit(Panel1);
    SpeedButton1 = new QToolButton(Panel1);
    SpeedButton1->setText(QStringLiteral("確定開帳"));
    SpeedButton2 = new QToolButton(Panel1);
    SpeedButton2->setText(QStringLiteral("離開"));
    Panel2 = new QFrame(this);
    DBGrid1 = new QTableView(Panel2);
    Panel3 = new QFrame(this);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
}

TFormSuppBeforeStart::~TFormSuppBeforeStart() = default;

void TFormSuppBeforeStart::bindConnection(db::Connection* connection)
{
    for (db::Statement* statement : {&SQLQuery1, &SQLDataSet1, &SQLDataMaster, &SQLDataSub})
        statement->setConnection(connection);
}

void TFormSuppBeforeStart::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TFormSuppBeforeStart::FormShow() {}
void TFormSuppBeforeStart::SpeedButton2Click()
{
    close();
}
