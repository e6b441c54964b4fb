#include "FrmSuppBeforeStart.h"

#include "ButtonImages.h"
#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "DbError.h"
#include "OpeningPlan.h"
#include "PreviewDialog.h"
#include "RecordSetModel.h"
#include "Reporting.h"
#include "RunReport.h"
#include "RunStatusPanel.h"
#include "SupplierRow.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QDateTime>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TFormSuppBeforeStart* FormSuppBeforeStart = nullptr;

namespace {
// The supplier list's visible columns: code, name, opening unpaid, opening prepaid.
struct GridColumn {
    const char16_t* caption;
    int width;
};
constexpr GridColumn kGridColumns[] = {{u"廠商代號", 100}, {u"廠商名稱", 200}, {u"期初未付", 100}, {u"期初預付", 100}};
// PARANT_CORP and TAX_FLAG stay in the list for the posting run but are not shown.
constexpr int kHiddenColumns[] = {4, 5};

QFont windowFont()
{
    QFont font;
    // The suite's Ming face; where it is missing, AR PL UMing is the Ming face Chinese desktops
    // fall back to, so the window keeps its look and every Big5 glyph.
    font.setFamilies({QStringLiteral("新細明體"), QStringLiteral("PMingLiU"), QStringLiteral("AR PL UMing TW")});
    font.setPixelSize(15);
    return font;
}

QFrame* makePanel(QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

QToolButton* makeButton(QWidget* parent, const QString& caption, const QIcon& image, const QRect& geometry)
{
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setIcon(image);
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setGeometry(geometry);
    return button;
}
} // namespace

TFormSuppBeforeStart::TFormSuppBeforeStart(QWidget* parent) : QWidget(parent)
{
    ClientDataSet1.setProvider(&DataSetProvider1);

    setWindowTitle(QStringLiteral("廠商期初帳款開帳作業"));
    resize(590, 433);
    setFont(windowFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    Panel1 = makePanel(this);
    Panel1->setFixedHeight(41);
    Label1 = new QLabel(QStringLiteral("期初基準日期"), Panel1);
    Label1->move(16, 13);
    Label1->adjustSize();
    DateTimePicker1 = new QDateEdit(Panel1);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setGeometry(115, 9, 186, 23);
    SpeedButton1 = makeButton(Panel1, QStringLiteral("確定開帳"), buttonimages::table(), {352, 6, 95, 29});
    SpeedButton2 = makeButton(Panel1, QStringLiteral("離開"), buttonimages::power(), {453, 5, 95, 29});
    // Which version is on screen, for whoever supports the operator.
    Panel1->setToolTip(QStringLiteral("%1 %2 %3")
                           .arg(windowTitle(), QCoreApplication::applicationName(),
                                QCoreApplication::applicationVersion()));

    Panel2 = makePanel(this);
    DBGrid1 = new QTableView(Panel2);
    DataSource1 = new toolkit::RecordSetModel(&ClientDataSet1, this);
    toolkit::bindGrid(*DBGrid1, *DataSource1);
    auto* gridLayout = new QVBoxLayout(Panel2);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(DBGrid1);

    Panel3 = makePanel(this);
    Panel3->setFixedHeight(33);
    StatusPanel = std::make_unique<RunStatusPanel>(Panel3);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(Panel1);
    stack->addWidget(Panel2, 1);
    stack->addWidget(Panel3);

    connect(SpeedButton1, &QToolButton::clicked, this, [this] { toolkit::runReported([this] { SpeedButton1Click(); }); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { toolkit::runReported([this] { SpeedButton2Click(); }); });
    connect(StatusPanel->preview, &QToolButton::clicked, this, [this] { toolkit::runReported([this] { PreviewClick(); }); });
    connect(StatusPanel->saveAccount, &QToolButton::clicked, this,
            [this] { toolkit::runReported([this] { SaveAccountClick(); }); });
}

TFormSuppBeforeStart::~TFormSuppBeforeStart() = default;

void TFormSuppBeforeStart::bindConnection(db::Connection* connection)
{
    SQLDataSet1.setConnection(connection);
    billWorkspace.bindConnection(connection);
}

void TFormSuppBeforeStart::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Restoring a minimised window is no new opening.
    if (event->spontaneous())
        return;
    if (const QScreen* desktop = screen())
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(),
                                 desktop->availableGeometry())
                 .topLeft());
    toolkit::runReported([this] { FormShow(); });
}

void TFormSuppBeforeStart::FormShow()
{
    DateTimePicker1->setDateTime(QDateTime::currentDateTime());
    ClientDataSet1.close();
    ClientDataSet1.setCommandText(opening::supplierListQuery());
    try {
        ClientDataSet1.open();
        listFailure_.clear();
    } catch (const std::exception& failure) {
        // Nothing can be posted from a list that did not load: the run and the preview stay shut,
        // and the operator is told why, in the panel and in the error box.
        listFailure_ = opening::listFailureText(SQLQuery1, QString::fromUtf8(failure.what()));
        StatusPanel->showText(QStringLiteral("廠商清單無法載入，無法開帳。"), supplierList().refusal());
        SpeedButton1->setEnabled(false);
        StatusPanel->preview->setEnabled(false);
        throw db::DbError(listFailure_);
    }
    int column = 0;
    for (const GridColumn& shown : kGridColumns) {
        DataSource1->setColumnCaption(column, QString::fromUtf16(shown.caption));
        DBGrid1->setColumnWidth(column, shown.width);
        ++column;
    }
    for (int hidden : kHiddenColumns)
        DBGrid1->setColumnHidden(hidden, true);
    showPlan();
}

opening::SupplierList TFormSuppBeforeStart::supplierList() const
{
    if (!ClientDataSet1.isOpen())
        return {{}, listFailure_.isEmpty() ? QStringLiteral("清單尚未開啟") : listFailure_};
    return {opening::supplierRows(ClientDataSet1), listFailure_};
}

opening::OpeningPlan TFormSuppBeforeStart::plan()
{
    return opening::planOpening(*SimpleDataMod, SQLQuery1, supplierList(), DateTimePicker1->date());
}

void TFormSuppBeforeStart::showPlan()
{
    const opening::OpeningPlan planned = plan();
    const QString details = opening::previewNotes(planned);
    const opening::Totals totals = opening::totalsOf(planned.suppliers);
    StatusPanel->showText(opening::planPanelText(planned),
                          opening::reconciliationText(totals, planned.settings) +
                              (details.isEmpty() ? QString() : u'\n' + details));
}

void TFormSuppBeforeStart::PreviewClick()
{
    auto* dialog = new PreviewDialog(plan(), this);  // owned by the window until closed
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void TFormSuppBeforeStart::SpeedButton2Click()
{
    close();
}
