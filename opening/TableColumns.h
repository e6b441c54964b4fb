#pragma once

#include "Value.h"

#include <QStringList>
#include <QVector>

namespace opening {

// A column the run writes: its kind and, for text, its width in characters in the suite's table
// (0 where the suite fixes none; the database's own width is read before a run).
struct Column {
    QString name;
    db::FieldType type = db::FieldType::Text;
    int width = 0;
};

// A table the run inserts into: its columns in the order its insert lists them, grouped as the
// suite's insert statement breaks them into lines, and how that statement closes its lists.
struct TableColumns {
    QString table;
    QVector<QVector<Column>> lines;
    QString columnsEnd;     // after the last column: ") " or ")"
    QString valuesStart;    // " VALUES (" on a line of its own, or " values(" after the columns
    bool valuesOnNewLine = true;
    QString valuesEnd;      // after the last parameter
    bool textsTrimmed = false;  // texts are stored without leading and trailing blanks and controls

    QVector<Column> columns() const;
    // The column of that name; throws when the table has none.
    const Column& column(const QString& name) const;
};

const TableColumns& purchaseMasterColumns();
const TableColumns& purchaseDetailColumns();
const TableColumns& payMasterColumns();

// The table's insert statement, one line per group of columns, every column bound to the named
// parameter of the same name (after the prefix, when there is one).
QStringList insertLines(const TableColumns& table, const QString& prefix = {});

} // namespace opening
