#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

namespace db {
class RecordSet;
struct DataPacket;
} // namespace db

namespace opening {

// One supplier as the supplier list holds it: the run reads nothing else of the list.
struct SupplierRow {
    int position = 0;  // in the list, counted from 1: numbers the supplier's payment record
    QString code;      // CORP_ID
    QString name;      // CORP_NAME
    QString parent;    // PARANT_CORP
    QString taxFlag;   // TAX_FLAG, as text
    QVariant unpaid;   // BEFORE_NOTPAY, the cell as held
    QVariant prepaid;  // BEFORE_ADVPAY, the cell as held
};

// The supplier list: every supplier in code order with its opening balances.
QString supplierListQuery();

// Every row of the supplier list in order, read without moving its current row.
QVector<SupplierRow> supplierRows(const db::RecordSet& list);
QVector<SupplierRow> supplierRows(const db::DataPacket& list);

} // namespace opening
