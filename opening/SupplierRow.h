#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

namespace db {
class RecordSet;
}

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

// Every row of the supplier list in order, read without moving its current row.
QVector<SupplierRow> supplierRows(const db::RecordSet& list);

} // namespace opening
