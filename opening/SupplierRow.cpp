#include "SupplierRow.h"

#include "RecordSet.h"
#include "Value.h"

namespace opening {

QString supplierListQuery()
{
    return QStringLiteral(
        "SELECT a.CORP_ID,a.CORP_NAME,  (SELECT BEFORE_NOTPAY FROM SUPPLIER_ACCOUNTS where CORP_ID =a.CORP_ID) AS "
        "BEFORE_NOTPAY,  (SELECT BEFORE_ADVPAY FROM SUPPLIER_ACCOUNTS where CORP_ID =a.CORP_ID) AS BEFORE_ADVPAY,"
        "a.PARANT_CORP,a.TAX_FLAG   FROM SUPPLIER a  ORDER BY a.CORP_ID ");
}

QVector<SupplierRow> supplierRows(const db::RecordSet& list)
{
    return supplierRows(list.data());
}

QVector<SupplierRow> supplierRows(const db::DataPacket& data)
{
    const auto column = [&data](const char* name) { return data.indexOf(QString::fromLatin1(name)); };
    const int code = column("CORP_ID");
    const int name = column("CORP_NAME");
    const int parent = column("PARANT_CORP");
    const int taxFlag = column("TAX_FLAG");
    const int unpaid = column("BEFORE_NOTPAY");
    const int prepaid = column("BEFORE_ADVPAY");

    QVector<SupplierRow> rows;
    rows.reserve(data.rows.size());
    for (const db::PacketRows::Row cells : data.rows) {
        // A column the list lacks reads as null, as the list itself would read it.
        const auto cell = [&cells](int index) { return index < 0 ? QVariant() : cells.at(index); };
        rows.push_back({static_cast<int>(rows.size()) + 1, db::valueToText(cell(code)), db::valueToText(cell(name)),
                        db::valueToText(cell(parent)), db::valueToText(cell(taxFlag)), cell(unpaid), cell(prepaid)});
    }
    return rows;
}

} // namespace opening
