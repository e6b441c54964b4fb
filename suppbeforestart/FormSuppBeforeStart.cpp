#include "FrmSuppBeforeStart.h"
#include "Text.h"

#include "ButtonImages.h"
#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "MingFont.h"
#include "CheckDialog.h"
#include "ConfigLocations.h"
#include "DbError.h"
#include "ImportDialog.h"
#include "OpeningPlan.h"
#include "PreviewDialog.h"
#include "RecordSetModel.h"
#include "ReportPages.h"
#include "RunRecord.h"
#include "Reporting.h"
#include "RunReport.h"
#include "RunStatusPanel.h"
#include "SupplierRow.h"
#include "WindowAccess.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QDateTime>
#include <QFileDialog>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QShowEvent>
#include <QStandardPaths>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TFormSuppBeforeStart* FormSuppBeforeStart = nullptr;

namespace {
// The supplier list's visible columns: code, name, opening unpaid, opening prepaid.
struct GridColumn {
    const char* caption;
    int width;
};
constexpr GridColumn kGridColumns[] = {{QT_TRANSLATE_NOOP("suppbeforestart", "廠商代號"), 100},
                                       {QT_TRANSLATE_NOOP("suppbeforestart", "廠商名稱"), 200},
                                       {QT_TRANSLATE_NOOP("suppbeforestart", "期初未付"), 100},
                                       {QT_TRANSLATE_NOOP("suppbeforestart", "期初預付"), 100}};
// PARANT_CORP and TAX_FLAG stay in the list for the posting run but are not shown.
constexpr int kHiddenColumns[] = {4, 5};

QFont windowFont()
{
    QFont font = mingFont();
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

    setWindowTitle(Text::tr("廠商期初帳款開帳作業"));
    resize(590, 433);
    setFont(windowFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    Panel1 = makePanel(this);
    Panel1->setFixedHeight(41);
    Label1 = new QLabel(Text::tr("期初基準日期"), Panel1);
    Label1->move(16, 13);
    Label1->adjustSize();
    DateTimePicker1 = new QDateEdit(Panel1);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setGeometry(115, 9, 186, 23);
    SpeedButton1 = makeButton(Panel1, Text::tr("確定開帳"), buttonimages::table(), {352, 6, 95, 29});
    SpeedButton2 = makeButton(Panel1, Text::tr("離開"), buttonimages::power(), {453, 5, 95, 29});
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
    connect(StatusPanel->check, &QToolButton::clicked, this, [this] { toolkit::runReported([this] { CheckClick(); }); });
    connect(StatusPanel->print, &QToolButton::clicked, this, [this] { toolkit::runReported([this] { PrintClick(); }); });
    connect(StatusPanel->importBalances, &QToolButton::clicked, this,
            [this] { toolkit::runReported([this] { ImportClick(); }); });
    makeAccessible(*this);
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
    loadList();
}

void TFormSuppBeforeStart::shutList(const QString& why)
{
    // Nothing can be posted from a list that did not load: the run and the preview stay shut,
    // and the panel keeps why in view.
    listFailure_ = why;
    StatusPanel->showText(Text::tr("廠商清單無法載入，無法開帳。"), supplierList().refusal());
    SpeedButton1->setEnabled(false);
    for (QToolButton* button : {StatusPanel->preview, StatusPanel->check, StatusPanel->print})
        button->setEnabled(false);
}

void TFormSuppBeforeStart::loadList()
{
    ClientDataSet1.close();
    // Start-up's box has told where the configuration belongs: no connect is tried without one.
    if (SimpleDataMod && SimpleDataMod->configMissing()) {
        shutList(missingConfigText());
        return;
    }
    ClientDataSet1.setCommandText(opening::supplierListQuery());
    try {
        ClientDataSet1.open();
        listFailure_.clear();
    } catch (const std::exception& failure) {
        shutList(opening::listFailureText(SQLQuery1, QString::fromUtf8(failure.what())));
        throw db::DbError(listFailure_);
    }
    int column = 0;
    for (const GridColumn& shown : kGridColumns) {
        DataSource1->setColumnCaption(column, Text::tr(shown.caption));
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
        return {{}, listFailure_.isEmpty() ? Text::tr("清單尚未開啟") : listFailure_};
    return {opening::supplierRows(ClientDataSet1), listFailure_};
}

opening::OpeningPlan TFormSuppBeforeStart::plan()
{
    return opening::planOpening(*SimpleDataMod, SQLQuery1, supplierList(), DateTimePicker1->date());
}

void TFormSuppBeforeStart::showPlan()
{
    const opening::OpeningPlan planned = plan();
    QStringList details{opening::reconciliationText(opening::totalsOf(planned.suppliers), planned.settings)};
    QString text = opening::planPanelText(planned);
    // The run an earlier opening comes from, so that the operator knows what a re-run replaces.
    if (const std::optional<opening::RunRecord> last = opening::lastWritingRun(SQLQuery1)) {
        text += Text::tr("　上次開帳 ") + last->started.toString(QStringLiteral("MM/dd"));
        details << Text::tr("上次開帳：") + opening::recordText(*last);
    }
    if (const QString notes = opening::previewNotes(planned); !notes.isEmpty())
        details << notes;
    if (const QString& exposed = SimpleDataMod->configWarning(); !exposed.isEmpty()) {
        text = Text::tr("注意：dbconfig.txt 的密碼他人可讀　") + text;
        details.prepend(exposed);
    }
    StatusPanel->showText(text, details.join(u'\n'));
}

opening::CheckResult TFormSuppBeforeStart::check()
{
    return opening::checkOpening(SQLQuery1, plan());
}

opening::OpeningReport TFormSuppBeforeStart::report()
{
    const QString database = SimpleDataMod->SQLConnection1.params().value(QStringLiteral("Database"));
    const std::optional<opening::RunRecord> run = opening::lastWritingRun(SQLQuery1);
    if (lastRun_ && lastRun_->check)
        return opening::openingReport(lastRun_->plan.suppliers, lastRun_->plan.settings, database,
                                      DateTimePicker1->date(), run, *lastRun_->check);
    const opening::OpeningPlan planned = plan();
    const opening::CheckResult stored = opening::checkOpening(SQLQuery1, planned);
    return opening::openingReport(stored.stored, planned.settings, database, DateTimePicker1->date(), run, stored);
}

void TFormSuppBeforeStart::CheckClick()
{
    auto* dialog = new CheckDialog(check(), SimpleDataMod->settings, this);  // owned by the window until closed
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void TFormSuppBeforeStart::ImportClick()
{
    const QString file = QFileDialog::getOpenFileName(
        this, Text::tr("匯入期初餘額"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        Text::tr("試算表 (*.xlsx *.csv *.txt);;所有檔案 (*)"));
    if (file.isEmpty())
        return;
    ImportDialog dialog(*SimpleDataMod, file, this);
    // The list, its totals and the preview follow the balances just written.
    if (dialog.exec() == QDialog::Accepted)
        loadList();
}

void TFormSuppBeforeStart::PrintClick()
{
    const opening::OpeningReport opening = report();
    // The printer lives as long as the preview's connection to it.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                       QPageLayout::Millimeter));
    auto* preview = new QPrintPreviewDialog(printer.get(), this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowTitle(opening.title);
    connect(preview, &QPrintPreviewDialog::paintRequested, preview,
            [printer, opening](QPrinter* target) { paintReport(*target, opening); });
    preview->open();
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
