#include "BalanceImport.h"
#include "Text.h"

#include "AccountantNumber.h"
#include "Connection.h"
#include "Csv.h"
#include "FrmSimpleDataMod.h"
#include "ImportLog.h"
#include "RunClaim.h"
#include "Statement.h"
#include "Value.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace balanceimport {

namespace {

using opening::Money;
using opening::MoneySum;

// The headers the suite's and the old system's exports use, whatever the operator's language.
const QStringList kCodeHeaders{QStringLiteral("廠商代號"), QStringLiteral("代號"), QStringLiteral("CORP_ID"),
                               QStringLiteral("廠商編號")};
const QStringList kUnpaidHeaders{QStringLiteral("期初未付"), QStringLiteral("未付"), QStringLiteral("BEFORE_NOTPAY")};
const QStringList kPrepaidHeaders{QStringLiteral("期初預付"), QStringLiteral("預付"), QStringLiteral("BEFORE_ADVPAY")};

int columnNamed(const QStringList& header, const QStringList& names)
{
    for (int i = 0; i < header.size(); ++i)
        for (const QString& name : names)
            if (header.at(i).trimmed().compare(name, Qt::CaseInsensitive) == 0)
                return i;
    return -1;
}

// The database takes codes that differ only in trailing blanks as one code.
QString codeKey(QString code)
{
    while (code.endsWith(u' '))
        code.chop(1);
    return code;
}

QString cellAt(const QStringList& row, int column)
{
    // The program's own CSV (the backup of an import) leads a code like "=X" with an apostrophe.
    return column >= 0 && column < row.size() ? opening::cellAsWritten(row.at(column).trimmed()) : QString();
}

double storedAmount(const QVariant& cell)
{
    const opening::Balance balance = opening::readBalance(cell);
    return balance.reading == opening::BalanceReading::NotANumber ? 0.0 : balance.amount.amount();
}

bool differs(const QVariant& stored, const std::optional<double>& file)
{
    if (!file)
        return false;
    const opening::Balance balance = opening::readBalance(stored);
    return balance.reading == opening::BalanceReading::Empty || balance.reading == opening::BalanceReading::NotANumber ||
           balance.amount.amount() != *file;
}

struct Supplier {
    QString code;
    QString name;
};

struct Account {
    QVariant unpaid;
    QVariant prepaid;
    int rows = 0;
};

QString amountText(const QVariant& stored)
{
    return stored.isNull() ? QString() : db::valueToText(stored);
}

QString amountText(const std::optional<double>& file)
{
    return file ? Money(*file).plainText() : QString();
}

QString statusText(const ImportRow& row)
{
    switch (row.status) {
    case RowStatus::Changed:
        return Text::tr("變更");
    case RowStatus::Unchanged:
        return Text::tr("不變");
    case RowStatus::NewAccount:
        return Text::tr("新增帳款列");
    case RowStatus::Fault:
        return row.fault;
    }
    return {};
}

// Beside the imported file, named for it and the moment, never over another file.
QString backupPath(const QString& importedPath)
{
    const QFileInfo imported(importedPath);
    const QString stem = Text::tr("%1.匯入前餘額-%2")
                             .arg(imported.completeBaseName(),
                                  QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = imported.absoluteDir().filePath(stem + QStringLiteral(".csv"));
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = imported.absoluteDir().filePath(QStringLiteral("%1-%2.csv").arg(stem).arg(copy));
    return path;
}

} // namespace

Columns findColumns(const Sheet& sheet, const QStringList& named)
{
    Columns columns;
    if (sheet.rows.isEmpty()) {
        columns.error = Text::tr("檔案中沒有任何資料列");
        return columns;
    }
    const QStringList& first = sheet.rows.first();
    if (!named.isEmpty()) {
        int* targets[] = {&columns.code, &columns.unpaid, &columns.prepaid};
        for (int i = 0; i < 3; ++i) {
            const QString name = named.value(i).trimmed();
            if (name.isEmpty())
                continue;
            bool number = false;
            const int index = name.toInt(&number);
            *targets[i] = number ? index - 1 : columnNamed(first, {name});
            columns.header = columns.header || !number;
            if (*targets[i] < 0) {
                columns.error = Text::tr("檔案中沒有「%1」欄").arg(name);
                return columns;
            }
        }
    } else {
        columns.code = columnNamed(first, kCodeHeaders);
        columns.unpaid = columnNamed(first, kUnpaidHeaders);
        columns.prepaid = columnNamed(first, kPrepaidHeaders);
        columns.header = columns.code >= 0 || columns.unpaid >= 0 || columns.prepaid >= 0;
        if (!columns.header) {
            // No header the system knows: a first row of balances is data in the first three
            // columns; a first row of other names is a header to be mapped by the operator.
            const QString unpaid = cellAt(first, 1);
            const QString prepaid = cellAt(first, 2);
            if ((!unpaid.isEmpty() && !accountantNumber(unpaid)) || (!prepaid.isEmpty() && !accountantNumber(prepaid))) {
                columns.header = true;
                columns.error = Text::tr("檔案中沒有廠商代號欄（廠商代號、代號或 CORP_ID）；第一列是「%1」，"
                                               "請指定哪些欄是廠商代號、期初未付與期初預付")
                                    .arg(first.join(Text::tr("」、「")));
                return columns;
            }
            columns = {0, 1, 2, false, {}};
        }
    }
    if (columns.code < 0)
        columns.error = Text::tr("檔案中沒有廠商代號欄（廠商代號、代號或 CORP_ID）");
    else if (columns.unpaid < 0 && columns.prepaid < 0)
        columns.error = Text::tr("檔案中沒有期初未付或期初預付欄");
    return columns;
}

// compareWithStored without its log line.
static ImportDifference compareUnlogged(const Sheet& sheet, const Columns& columns, db::Statement& query, const QString& file)
{
    ImportDifference difference;
    difference.file = file;
    difference.encoding = sheet.encoding;
    difference.columns = columns;
    if (!sheet.read() || !columns.error.isEmpty()) {
        difference.error = sheet.read() ? columns.error : sheet.error;
        return difference;
    }

    QHash<QString, Supplier> suppliers;
    query.open({QStringLiteral("SELECT CORP_ID, CORP_NAME FROM SUPPLIER ORDER BY CORP_ID")});
    for (query.first(); !query.eof(); query.next())
        if (const QString key = codeKey(query.asText(0)); !suppliers.contains(key))
            suppliers.insert(key, {query.asText(0), query.asText(1)});
    QHash<QString, Account> accounts;
    query.open({QStringLiteral("SELECT CORP_ID, BEFORE_NOTPAY, BEFORE_ADVPAY FROM SUPPLIER_ACCOUNTS")});
    const db::DataPacket& stored = query.result();
    for (const db::PacketRows::Row cells : stored.rows) {
        Account& account = accounts[codeKey(db::valueToText(cells.at(0)))];
        account.unpaid = cells.at(1);
        account.prepaid = cells.at(2);
        ++account.rows;
        difference.storedUnpaid += Money(storedAmount(cells.at(1)));
        difference.storedPrepaid += Money(storedAmount(cells.at(2)));
    }
    difference.resultingUnpaid = difference.storedUnpaid;
    difference.resultingPrepaid = difference.storedPrepaid;

    QHash<QString, int> seen;
    for (int i = columns.header ? 1 : 0; i < sheet.rows.size(); ++i) {
        const QStringList& cells = sheet.rows.at(i);
        ImportRow row;
        row.row = i + 1;
        row.code = cellAt(cells, columns.code);
        const QString unpaid = cellAt(cells, columns.unpaid);
        const QString prepaid = cellAt(cells, columns.prepaid);
        if (row.code.isEmpty() && unpaid.isEmpty() && prepaid.isEmpty())
            continue;  // a blank line between the rows
        const auto fault = [&](const QString& why) {
            if (row.status == RowStatus::Fault)
                return;
            row.status = RowStatus::Fault;
            row.fault = Text::tr("第 %1 列：%2").arg(row.row).arg(why);
        };
        const auto value = [&](const QString& text, const QString& what) -> std::optional<double> {
            if (text.isEmpty())
                return std::nullopt;
            const std::optional<double> number = accountantNumber(text);
            if (!number)
                fault(Text::tr("%1「%2」不是數字").arg(what, text));
            return number;
        };
        row.fileUnpaid = value(unpaid, Text::tr("期初未付"));
        row.filePrepaid = value(prepaid, Text::tr("期初預付"));
        const QString key = codeKey(row.code);
        const auto supplier = suppliers.constFind(key);
        if (row.code.isEmpty())
            fault(Text::tr("沒有廠商代號"));
        else if (supplier == suppliers.constEnd())
            fault(Text::tr("「%1」不是廠商代號").arg(row.code));
        if (const int earlier = seen.value(key); earlier > 0 && !row.code.isEmpty())
            fault(Text::tr("廠商代號「%1」與第 %2 列重複").arg(row.code).arg(earlier));
        else if (!row.code.isEmpty())
            seen.insert(key, row.row);
        if (supplier != suppliers.constEnd()) {
            row.supplierCode = supplier->code;
            row.name = supplier->name;
        }
        const Account account = accounts.value(key);
        row.accountRow = account.rows > 0;
        row.storedUnpaid = account.unpaid;
        row.storedPrepaid = account.prepaid;
        if (account.rows > 1)
            fault(Text::tr("廠商「%1」在 SUPPLIER_ACCOUNTS 有 %2 筆帳款列").arg(row.code).arg(account.rows));

        if (row.fileUnpaid)
            difference.fileUnpaid += Money(*row.fileUnpaid);
        if (row.filePrepaid)
            difference.filePrepaid += Money(*row.filePrepaid);
        if (row.status != RowStatus::Fault) {
            if (!row.accountRow)
                row.status = RowStatus::NewAccount;
            else if (differs(row.storedUnpaid, row.fileUnpaid) || differs(row.storedPrepaid, row.filePrepaid))
                row.status = RowStatus::Changed;
            if (row.fileUnpaid) {
                difference.resultingUnpaid += Money(*row.fileUnpaid);
                difference.resultingUnpaid -= Money(storedAmount(row.storedUnpaid));
            }
            if (row.filePrepaid) {
                difference.resultingPrepaid += Money(*row.filePrepaid);
                difference.resultingPrepaid -= Money(storedAmount(row.storedPrepaid));
            }
        }
        switch (row.status) {
        case RowStatus::Changed:
            ++difference.changed;
            break;
        case RowStatus::Unchanged:
            ++difference.unchanged;
            break;
        case RowStatus::NewAccount:
            ++difference.newAccounts;
            break;
        case RowStatus::Fault:
            ++difference.faults;
            break;
        }
        difference.rows << row;
    }
    if (difference.rows.isEmpty())
        difference.error = Text::tr("檔案中沒有任何廠商的期初餘額");
    return difference;
}

ImportDifference compareWithStored(const Sheet& sheet, const Columns& columns, db::Statement& query, const QString& file)
{
    QElapsedTimer took;
    took.start();
    ImportDifference difference = compareUnlogged(sheet, columns, query, file);
    qCDebug(lcImport).noquote() << QStringLiteral("%1 read as %2, %3 rows, compared in %4 ms: %5 changed, %6 unchanged, "
                                                  "%7 new account rows, %8 faults%9")
                                       .arg(file, sheet.encoding)
                                       .arg(sheet.rows.size())
                                       .arg(took.elapsed())
                                       .arg(difference.changed)
                                       .arg(difference.unchanged)
                                       .arg(difference.newAccounts)
                                       .arg(difference.faults)
                                       .arg(difference.error.isEmpty() ? QString() : QStringLiteral("; ") + difference.error);
    return difference;
}

// applyImport without its log line.
static ImportApplied applyUnlogged(TSimpleDataMod& dm, const ImportDifference& difference, const QString& importedPath)
{
    ImportApplied applied;
    if (!difference.clean()) {
        applied.error = difference.error.isEmpty()
                            ? Text::tr("檔案有 %1 列錯誤，未寫入任何餘額。").arg(difference.faults)
                            : difference.error;
        return applied;
    }
    try {
        const opening::RunClaim claim(dm);

        // What is about to be replaced, in the file's own form: the same import puts it back.
        QVector<QStringList> before{{kCodeHeaders.first(), kUnpaidHeaders.first(), kPrepaidHeaders.first()}};
        for (const ImportRow& row : difference.rows)
            if (row.status == RowStatus::Changed || row.status == RowStatus::NewAccount)
                before << QStringList{row.supplierCode, Money(storedAmount(row.storedUnpaid)).plainText(),
                                      Money(storedAmount(row.storedPrepaid)).plainText()};
        applied.backupFile = backupPath(importedPath);
        if (!opening::writeFile(applied.backupFile, opening::csvDocument(before))) {
            applied.error = Text::tr("無法寫入備份檔 %1，未寫入任何餘額。").arg(applied.backupFile);
            applied.backupFile.clear();
            return applied;
        }

        db::Statement update(&dm.SQLConnection1);
        db::Statement insert(&dm.SQLConnection1);
        const db::StatementReuse reuse(dm.SQLConnection1);
        db::TransactionScope transaction(dm.SQLConnection1);
        const auto bind = [](db::Statement& statement, const ImportRow& row) {
            statement.setParamText(QStringLiteral("CORP_ID"), row.supplierCode);
            const std::pair<const char*, const std::optional<double>*> values[] = {{"UNPAID", &row.fileUnpaid},
                                                                                  {"PREPAID", &row.filePrepaid}};
            for (const auto& [name, value] : values) {
                if (*value)
                    statement.setParamDouble(QString::fromLatin1(name), **value);
                else
                    statement.setParamNull(QString::fromLatin1(name));
            }
        };
        for (const ImportRow& row : difference.rows) {
            if (row.status == RowStatus::Changed) {
                // An empty cell of the file leaves the stored balance as it is.
                update.setLines({QStringLiteral("UPDATE SUPPLIER_ACCOUNTS SET BEFORE_NOTPAY = COALESCE(:UNPAID, BEFORE_NOTPAY),"),
                                 QStringLiteral(" BEFORE_ADVPAY = COALESCE(:PREPAID, BEFORE_ADVPAY) WHERE CORP_ID = :CORP_ID")});
                bind(update, row);
                update.execute();
                ++applied.updated;
            } else if (row.status == RowStatus::NewAccount) {
                insert.setLines({QStringLiteral("INSERT INTO SUPPLIER_ACCOUNTS (CORP_ID, BEFORE_NOTPAY, BEFORE_ADVPAY)"),
                                 QStringLiteral(" VALUES (:CORP_ID, :UNPAID, :PREPAID)")});
                bind(insert, row);
                insert.execute();
                ++applied.inserted;
            }
        }
        transaction.commit();
    } catch (const opening::ClaimHeld& held) {
        applied.error = Text::tr("無法匯入：%1").arg(QString::fromUtf8(held.what()));
        applied.busy = true;
    } catch (const std::exception& failure) {
        applied.error = Text::tr("匯入失敗，所有餘額維持原狀：%1").arg(QString::fromUtf8(failure.what()));
    }
    if (!applied.error.isEmpty()) {
        // Nothing was replaced, so nothing needs putting back.
        if (!applied.backupFile.isEmpty())
            QFile::remove(applied.backupFile);
        applied = {applied.error, applied.busy, {}, 0, 0};
    }
    return applied;
}

ImportApplied applyImport(TSimpleDataMod& dm, const ImportDifference& difference, const QString& importedPath)
{
    QElapsedTimer took;
    took.start();
    const ImportApplied done = applyUnlogged(dm, difference, importedPath);
    qCDebug(lcImport).noquote() << QStringLiteral("applied in %1 ms: %2 updated, %3 inserted, backup %4%5")
                                       .arg(took.elapsed())
                                       .arg(done.updated)
                                       .arg(done.inserted)
                                       .arg(done.backupFile.isEmpty() ? QStringLiteral("none") : done.backupFile,
                                            done.error.isEmpty() ? QString() : QStringLiteral("; ") + done.error);
    return done;
}

QVector<QStringList> differenceTable(const ImportDifference& difference)
{
    QVector<QStringList> rows{{Text::tr("列"), Text::tr("廠商代號"), Text::tr("廠商名稱"),
                               Text::tr("期初未付（目前）"), Text::tr("期初未付（檔案）"),
                               Text::tr("期初預付（目前）"), Text::tr("期初預付（檔案）"),
                               Text::tr("結果")}};
    for (const ImportRow& row : difference.rows)
        rows << QStringList{QString::number(row.row),      row.code,
                            row.name,                      amountText(row.storedUnpaid),
                            amountText(row.fileUnpaid),    amountText(row.storedPrepaid),
                            amountText(row.filePrepaid),   statusText(row)};
    return rows;
}

QString differenceSummary(const ImportDifference& difference)
{
    if (!difference.error.isEmpty())
        return difference.error;
    return Text::tr("%1（%2）：%3 列，變更 %4、新增帳款列 %5、不變 %6、錯誤 %7。檔案期初未付 %8、期初預付 %9；"
                          "匯入後全部廠商期初未付 %10、期初預付 %11（目前 %12、%13）")
        .arg(QFileInfo(difference.file).fileName(), difference.encoding)
        .arg(difference.rows.size())
        .arg(difference.changed)
        .arg(difference.newAccounts)
        .arg(difference.unchanged)
        .arg(difference.faults)
        .arg(difference.fileUnpaid.text(), difference.filePrepaid.text(), difference.resultingUnpaid.text(),
             difference.resultingPrepaid.text(), difference.storedUnpaid.text(), difference.storedPrepaid.text());
}

QStringList faultLines(const ImportDifference& difference)
{
    QStringList lines;
    for (const ImportRow& row : difference.rows)
        if (row.status == RowStatus::Fault)
            lines << row.fault;
    return lines;
}

} // namespace balanceimport
