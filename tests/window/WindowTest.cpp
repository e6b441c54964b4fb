#include "FrmSimpleDataMod.h"
#include "Language.h"
#include "Text.h"
#include "FrmSuppBeforeStart.h"
#include "RecordSetModel.h"
#include "RunStatusPanel.h"
#include "ScriptedBoxes.h"
#include "TempDatabase.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTranslator>
#include <QFontInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using testsupport::TempDatabase;
using toolkit::ScriptedBoxes;

class WindowTest : public ::testing::Test {
protected:
    WindowTest() { toolkit::setBoxes(boxes); }
    ~WindowTest() override { toolkit::setBoxes(nullptr); }

    std::shared_ptr<ScriptedBoxes> boxes = std::make_shared<ScriptedBoxes>();
};

TEST_F(WindowTest, LaidOutAsTheSuiteDrawsIt)
{
    TFormSuppBeforeStart window;
    window.show();  // no connection: the show's failure is reported, the window stands
    EXPECT_EQ(boxes->texts(ScriptedBoxes::Kind::Error).size(), 1u);
    EXPECT_EQ(window.windowTitle(), "廠商期初帳款開帳作業");
    EXPECT_EQ(window.size(), QSize(590, 433));
    EXPECT_EQ(window.font().families().value(0), "新細明體");
    EXPECT_EQ(window.font().pixelSize(), 15);
    // Without the face itself the Ming face of the Chinese desktop stands in.
    const QString face = QFontInfo(window.font()).family();
    EXPECT_TRUE(face == "新細明體" || face == "PMingLiU" || face.startsWith("AR PL UMing")) << face.toStdString();
    EXPECT_EQ(window.DBGrid1->horizontalHeader()->font().pixelSize(), 15);

    EXPECT_EQ(window.Panel1->geometry(), QRect(0, 0, 590, 41));
    EXPECT_EQ(window.Panel2->geometry(), QRect(0, 41, 590, 359));
    EXPECT_EQ(window.Panel3->geometry(), QRect(0, 400, 590, 33));
    EXPECT_EQ(window.Label1->text(), "期初基準日期");
    EXPECT_EQ(window.Label1->pos(), QPoint(16, 13));
    EXPECT_EQ(window.DateTimePicker1->geometry(), QRect(115, 9, 186, 23));
    EXPECT_FALSE(window.DateTimePicker1->displayFormat().contains("h"));
    EXPECT_EQ(window.SpeedButton1->text(), "確定開帳");
    EXPECT_EQ(window.SpeedButton1->geometry(), QRect(352, 6, 95, 29));
    EXPECT_EQ(window.SpeedButton2->text(), "離開");
    EXPECT_EQ(window.SpeedButton2->geometry(), QRect(453, 5, 95, 29));
    for (const QToolButton* button : {window.SpeedButton1, window.SpeedButton2}) {
        EXPECT_EQ(button->iconSize(), QSize(16, 16));
        EXPECT_FALSE(button->icon().pixmap(16, 16).isNull());
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    }
    // The power symbol is red.
    const QImage power = window.SpeedButton2->icon().pixmap(16, 16).toImage();
    bool red = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            red = red || (qRed(power.pixel(x, y)) > 150 && qGreen(power.pixel(x, y)) < 80 && qAlpha(power.pixel(x, y)) > 200);
    EXPECT_TRUE(red);
    EXPECT_EQ(window.DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(window.DBGrid1->geometry().size(), window.Panel2->contentsRect().size());

    window.resize(700, 500);
    EXPECT_EQ(window.Panel1->height(), 41);
    EXPECT_EQ(window.Panel3->height(), 33);
    EXPECT_EQ(window.Panel2->height(), 500 - 41 - 33);
}

class WindowDataTest : public WindowTest {
protected:
    WindowDataTest()
    {
        database.writeDbConfig();
        dm.DataModuleCreate();
        SimpleDataMod = &dm;
        window.bindConnection(&dm.SQLConnection1);
    }
    ~WindowDataTest() override { SimpleDataMod = nullptr; }

    TempDatabase database;
    TSimpleDataMod dm{database.folder()};
    TFormSuppBeforeStart window;
};

TEST_F(WindowDataTest, ShowListsSuppliersByCodeWithCaptionsWidthsAndHiddenColumns)
{
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP,TAX_FLAG) VALUES('S3','丙公司','','2')");
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP,TAX_FLAG) VALUES('S1','甲公司','S3','1')");
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP,TAX_FLAG) VALUES('S2','乙公司','','0')");
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES('S1',1234.5,0)");
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES('S3',-250,800)");
    window.DateTimePicker1->setDate(QDate(2001, 1, 1));

    window.show();
    EXPECT_TRUE(boxes->shown().empty());
    EXPECT_EQ(window.DateTimePicker1->date(), QDate::currentDate());

    const QAbstractItemModel& grid = *window.DBGrid1->model();
    ASSERT_EQ(grid.columnCount(), 6);
    ASSERT_EQ(grid.rowCount(), 3);
    const QStringList captions{"廠商代號", "廠商名稱", "期初未付", "期初預付"};
    const int widths[] = {100, 200, 100, 100};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(grid.headerData(column, Qt::Horizontal).toString(), captions.at(column));
        EXPECT_EQ(window.DBGrid1->columnWidth(column), widths[column]);
        EXPECT_FALSE(window.DBGrid1->isColumnHidden(column));
    }
    EXPECT_TRUE(window.DBGrid1->isColumnHidden(4));
    EXPECT_TRUE(window.DBGrid1->isColumnHidden(5));

    auto cell = [&grid](int row, int column) { return grid.data(grid.index(row, column)).toString(); };
    EXPECT_EQ(cell(0, 0), "S1");
    EXPECT_EQ(cell(1, 0), "S2");
    EXPECT_EQ(cell(2, 0), "S3");
    EXPECT_EQ(cell(0, 1), "甲公司");
    EXPECT_EQ(cell(0, 2), "1234.5");
    EXPECT_EQ(cell(0, 3), "0");
    EXPECT_EQ(cell(2, 2), "-250");
    // No account row: both balance cells empty, the values null.
    EXPECT_EQ(cell(1, 2), "");
    EXPECT_EQ(cell(1, 3), "");
    window.ClientDataSet1.setRecNo(2);
    EXPECT_TRUE(window.ClientDataSet1.isNull("BEFORE_NOTPAY"));
    EXPECT_TRUE(window.ClientDataSet1.isNull("BEFORE_ADVPAY"));
    // The hidden columns stay readable for the posting run.
    window.ClientDataSet1.first();
    EXPECT_EQ(window.ClientDataSet1.asText("PARANT_CORP"), "S3");
    EXPECT_EQ(window.ClientDataSet1.asText("TAX_FLAG"), "1");
    EXPECT_EQ(window.DBGrid1->currentIndex().row(), 0);

    window.SpeedButton2->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(WindowDataTest, EmptySupplierTableShowsAnEmptyGrid)
{
    window.show();
    EXPECT_TRUE(boxes->shown().empty());
    EXPECT_EQ(window.DBGrid1->model()->rowCount(), 0);
    EXPECT_EQ(window.DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), "廠商名稱");
    EXPECT_TRUE(window.DBGrid1->isColumnHidden(5));
    EXPECT_TRUE(window.ClientDataSet1.isOpen());
    EXPECT_TRUE(window.SpeedButton1->isEnabled());
}

TEST_F(WindowDataTest, FailingSupplierQueryIsReportedAndTheWindowStillOpens)
{
    database.exec("DROP TABLE SUPPLIER_ACCOUNTS");
    window.DateTimePicker1->setDate(QDate(2001, 1, 1));
    window.show();
    EXPECT_TRUE(window.isVisible());
    const auto errors = boxes->texts(ScriptedBoxes::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors.front().contains("SUPPLIER_ACCOUNTS")) << errors.front().toStdString();
    EXPECT_EQ(window.DateTimePicker1->date(), QDate::currentDate());
    EXPECT_EQ(window.DBGrid1->model()->rowCount(), 0);
}

TEST_F(WindowDataTest, AListThatDidNotLoadCannotStartARunAndSaysWhy)
{
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME) VALUES('S1','甲')");
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY) VALUES('S1',10)");
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY) VALUES('S1 ',20)");
    database.exec("INSERT INTO PURCHASE_MASTER(MASTERBILLID) VALUES('0201001010001')");
    window.show();
    const auto errors = boxes->texts(ScriptedBoxes::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors.front().contains("「S1」「S1 」")) << errors.front().toStdString();
    EXPECT_EQ(window.StatusPanel->text->text(), "廠商清單無法載入，無法開帳。");
    EXPECT_TRUE(window.StatusPanel->text->toolTip().contains("「S1」「S1 」"));
    EXPECT_FALSE(window.SpeedButton1->isEnabled());
    EXPECT_FALSE(window.StatusPanel->preview->isEnabled());

    // Pressed all the same, the run asks nothing and leaves the earlier run as it was.
    boxes->answer(toolkit::Button::Yes);
    window.SpeedButton1Click();
    EXPECT_TRUE(boxes->texts(ScriptedBoxes::Kind::Confirm).empty());
    ASSERT_EQ(boxes->texts(ScriptedBoxes::Kind::Warning).size(), 1u);
    EXPECT_TRUE(boxes->texts(ScriptedBoxes::Kind::Warning).front().startsWith("廠商清單無法載入，無法開帳："));
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_MASTER").toInt(), 1);
}

TEST_F(WindowDataTest, InEnglishNoChineseIsLeftAndQtSpeaksChineseInChinese)
{
    // Suppliers whose codes and names are no Chinese: any Chinese on screen is a text left
    // untranslated.
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,TAX_FLAG) VALUES('A1','Acme Ltd','0')");
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,TAX_FLAG) VALUES('B2','Bolt Co','1')");
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES('A1',1234.5,300)");
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES('B2',-5,0)");
    QTranslator* english = app::useLanguage(app::Language::English);
    ASSERT_NE(english, nullptr);
    const QRegularExpression chinese(QStringLiteral("[\\x{4e00}-\\x{9fff}\\x{3000}-\\x{303f}\\x{ff00}-\\x{ffef}]"));
    QStringList found;
    const auto look = [&](QWidget* top) {
        QList<QWidget*> widgets = top->findChildren<QWidget*>();
        widgets << top;
        for (QWidget* widget : widgets) {
            QStringList texts{widget->windowTitle(), widget->toolTip(), widget->accessibleName(),
                              widget->accessibleDescription()};
            if (auto* label = qobject_cast<QLabel*>(widget))
                texts << label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                texts << button->text();
            if (auto* view = qobject_cast<QAbstractItemView*>(widget))
                for (int column = 0; view->model() && column < view->model()->columnCount(); ++column)
                    texts << view->model()->headerData(column, Qt::Horizontal).toString();
            if (auto* table = qobject_cast<QTableWidget*>(widget))
                for (int row = 0; row < table->rowCount(); ++row)
                    for (int column = 0; column < table->columnCount(); ++column)
                        texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
            for (const QString& text : texts)
                if (text.contains(chinese))
                    found << QString("%1: %2").arg(widget->metaObject()->className(), text);
        }
    };
    {
        TFormSuppBeforeStart shown;
        shown.bindConnection(&dm.SQLConnection1);
        shown.show();
        shown.PreviewClick();
        shown.CheckClick();
        look(&shown);
        boxes->answer(toolkit::Button::Yes);
        shown.SpeedButton1Click();
        look(&shown);
        for (const auto& box : boxes->shown())
            for (const QString& text : {box.text, box.details})
                if (text.contains(chinese))
                    found << "box: " + text;
    }
    QCoreApplication::removeTranslator(english);
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();

    // In Chinese the program's texts are its own, byte for byte, and Qt's buttons are Chinese too.
    EXPECT_EQ(Text::tr("期初帳款開立完成..!"), QString::fromUtf8("期初帳款開立完成..!"));
    QTranslator* qt = app::useLanguage(app::Language::Chinese);
    ASSERT_NE(qt, nullptr) << "Qt's Traditional Chinese translation is not installed";
    QDialogButtonBox standard(QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_TRUE(standard.button(QDialogButtonBox::Yes)->text().contains(chinese))
        << standard.button(QDialogButtonBox::Yes)->text().toStdString();
    QCoreApplication::removeTranslator(qt);
}

TEST_F(WindowDataTest, ClosedDuringARunTheWindowStopsItBetweenTwoSuppliersAndClosesWithoutABox)
{
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP,TAX_FLAG) WITH RECURSIVE n(i) AS (SELECT 1 FROM "
                  "RDB$DATABASE UNION ALL SELECT i + 1 FROM n WHERE i < 600) SELECT 'T' || LPAD(i, 4, '0'), 'Supplier', "
                  "'', '0' FROM n");
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) SELECT CORP_ID, 100, 0 FROM SUPPLIER");
    window.show();
    // The close button's click, while the run lets events through.
    QTimer::singleShot(100, &window, [this] { window.close(); });
    window.SpeedButton1Click();

    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(boxes->shown().empty());
    ASSERT_TRUE(window.lastRun().has_value());
    const opening::RunResult& run = *window.lastRun();
    ASSERT_EQ(run.end, opening::RunEnd::Stopped) << "the run ended before the close";
    EXPECT_TRUE(run.byOperator);
    const int written = database.scalar("SELECT COUNT(*) FROM PURCHASE_MASTER").toInt();
    EXPECT_GE(written, 1);
    EXPECT_LT(written, 600);
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_DETAIL").toInt(), written);
    EXPECT_EQ(database.scalar("SELECT OUTCOME FROM OPENING_RUN_LOG").toString(), "stopped");
    EXPECT_TRUE(window.StatusPanel->text->text().startsWith("開帳中止")) << window.StatusPanel->text->text().toStdString();
}
