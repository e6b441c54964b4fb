#pragma once

#include "SupplierRow.h"

namespace db {
class Statement;
}

namespace opening {

// The supplier list as the run receives it: its rows, or why it could not be loaded. A list that
// did not load holds no balances to post, so no run starts on it: an empty list would otherwise
// replace the earlier run by nothing.
struct SupplierList {
    QVector<SupplierRow> rows;
    QString failure;  // empty when the list loaded
    bool loaded() const { return failure.isEmpty(); }
    // Why no run can start on the list.
    QString refusal() const;
};

// The supplier list's statement failed with `error`: its text and, when the cause is codes with
// more than one SUPPLIER_ACCOUNTS row (codes differing only in trailing blanks are the same code
// to the database), those codes. Asks the database with `query`, if it is connected.
QString listFailureText(db::Statement& query, const QString& error);

// The supplier list read with `query`; a failure is told, not thrown.
SupplierList readSupplierList(db::Statement& query);

} // namespace opening
