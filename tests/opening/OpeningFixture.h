#pragma once

#include "Boxes.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "Reporting.h"
#include "ScriptedBoxes.h"
#include "TempDatabase.h"

#include <QDateEdit>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QVariant& value, std::ostream* out)
{
    *out << (value.isNull() ? std::string("NULL") : value.toString().toStdString());
}

// A window on a fresh suite database, with the data module configured on it, the scripted
// boxes answering, and the purchase settings of a typical workstation.
class OpeningTest : public ::testing::Test {
protected:
    using Kind = toolkit::ScriptedBoxes::Kind;

    OpeningTest()
    {
        database.writeDbConfig();
        dm.DataModuleCreate();
        SimpleDataMod = &dm;
        toolkit::setBoxes(shown);
        form = std::make_unique<TFormSuppBeforeStart>();
        form->bindConnection(&dm.SQLConnection1);
    }
    ~OpeningTest() override
    {
        form.reset();
        SimpleDataMod = nullptr;
        toolkit::setBoxes(nullptr);
    }

    // Connects (the settings load runs then) and sets the purchase settings the run reads.
    void useSettings(double tax = 0.05, int totalPlaces = 0)
    {
        dm.SQLConnection1.open();
        dm.settings.in_tax = tax;
        dm.settings.in_totdot = totalPlaces;
        dm.settings.in_money_id = QStringLiteral("NTD");
        dm.settings.main_stockid = QStringLiteral("A01");
    }

    // A supplier and, unless both balances are null, its opening balances.
    void addSupplier(const QString& id, const QString& name, const QVariant& unpaid, const QVariant& prepaid,
                     const QString& taxFlag = QStringLiteral("0"), const QString& parent = {})
    {
        database.exec(QStringLiteral("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP,TAX_FLAG) VALUES('%1','%2','%3','%4')")
                          .arg(quoted(id), name, parent, taxFlag));
        if (unpaid.isNull() && prepaid.isNull())
            return;
        auto number = [](const QVariant& v) { return v.isNull() ? QStringLiteral("NULL") : v.toString(); };
        database.exec(QStringLiteral("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES('%1',%2,%3)")
                          .arg(quoted(id), number(unpaid), number(prepaid)));
    }

    // The window opens as on screen (the list is loaded), and the operator picks the base date.
    void openWindow(const QDate& baseDate = QDate(2011, 2, 19))
    {
        form->FormShow();
        useSettings();
        form->DateTimePicker1->setDate(baseDate);
    }

    // Presses "確定開帳" as the event loop does: a failure ends in the error box.
    bool press()
    {
        return toolkit::runReported([this] { form->SpeedButton1Click(); });
    }

    int count(const QString& sql) { return database.scalar(sql).toInt(); }
    QVector<QVariant> row(const QString& sql)
    {
        const auto rows = database.rows(sql);
        return rows.isEmpty() ? QVector<QVariant>() : rows.first();
    }
    static QString quoted(QString text) { return text.replace(u'\'', QStringLiteral("''")); }

    testsupport::TempDatabase database;
    TSimpleDataMod dm{database.folder()};
    std::shared_ptr<toolkit::ScriptedBoxes> shown = std::make_shared<toolkit::ScriptedBoxes>();
    std::unique_ptr<TFormSuppBeforeStart> form;
};
