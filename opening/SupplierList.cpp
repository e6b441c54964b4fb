#include "SupplierList.h"
#include "Text.h"

#include "Connection.h"
#include "Statement.h"

#include <exception>

namespace opening {

namespace {

// Account rows that make the list's one-row sub-selects fail: more than one for a supplier's code.
QStringList doubledAccounts(db::Statement& query)
{
    query.open({QStringLiteral("SELECT s.CORP_ID FROM SUPPLIER_ACCOUNTS s"),
                QStringLiteral(" WHERE EXISTS (SELECT 1 FROM SUPPLIER a WHERE a.CORP_ID = s.CORP_ID)"),
                QStringLiteral(" AND (SELECT COUNT(*) FROM SUPPLIER_ACCOUNTS t WHERE t.CORP_ID = s.CORP_ID) > 1"),
                QStringLiteral(" ORDER BY s.CORP_ID")});
    QStringList codes;
    for (query.first(); !query.eof(); query.next())
        codes << Text::tr("「%1」").arg(query.asText(0));  // the brackets show a trailing blank
    return codes;
}

} // namespace

QString SupplierList::refusal() const
{
    return Text::tr("廠商清單無法載入，無法開帳：%1").arg(failure);
}

QString listFailureText(db::Statement& query, const QString& error)
{
    QString text = error;
    // Unreachable, it would only be waited for again.
    if (!query.connection() || !query.connection()->connected())
        return text;
    try {
        const QStringList codes = doubledAccounts(query);
        if (!codes.isEmpty())
            text += Text::tr("\n下列廠商代號在 SUPPLIER_ACCOUNTS 有一筆以上的期初帳款（僅尾端空白不同者，資料庫視為同一代號）："
                                   "%1\n每個廠商只能保留一筆。")
                        .arg(codes.join(QString()));
    } catch (const std::exception&) {
        // The database cannot say more (it may be unreachable): the failure speaks for itself.
    }
    return text;
}

SupplierList readSupplierList(db::Statement& query)
{
    SupplierList list;
    try {
        query.open({supplierListQuery()});
        list.rows = supplierRows(query.result());
    } catch (const std::exception& failure) {
        list.failure = listFailureText(query, QString::fromUtf8(failure.what()));
    }
    return list;
}

} // namespace opening
