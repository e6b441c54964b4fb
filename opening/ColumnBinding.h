#pragma once

#include "Value.h"

#include <QString>
#include <vector>

namespace db {
class RecordSet;
class Statement;
} // namespace db

namespace opening {

struct TableColumns;

// The parameters of a table's columns in a statement (each column's name after the prefix),
// matched once with the same-named columns of a record set, so that a statement run for many rows
// of the same layout binds each of them by position.
class ColumnBinding {
public:
    ColumnBinding(const db::Statement& statement, const TableColumns& table, const QString& prefix,
                  const db::RecordSet& rows);

    // Binds every column from the record set's current row, by the column's kind, as its text
    // would read: texts are never bound as null; numbers that do not read count as 0. A
    // floating-point column reads with 15 significant digits, and so is stored.
    void bind(db::Statement& statement, const db::RecordSet& rows) const;

private:
    struct Slot {
        int param;
        int field;
        db::FieldType type;
    };
    std::vector<Slot> slots_;
    bool textsTrimmed_;
};

// A line's text as it is stored: leading and trailing blanks and control characters removed.
QString trimmedLineText(const QString& text);

} // namespace opening
