#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace opening {

struct TableColumns;

// An insert inside a block: the table's insert statement with each value read from the block's
// input parameter of the column's name after the prefix, so that the inserts of several tables
// stay apart in one block.
struct BlockInsert {
    const TableColumns* table;
    QString prefix;
};

// One statement, an EXECUTE BLOCK, that runs the inserts in order: all of them or, when one
// fails, none (the statement is undone whole). Its input parameters, one for each column of each
// insert, are declared with the type of their column, so that every value is converted exactly as
// the insert on its own would convert it.
QStringList insertBlockLines(const QVector<BlockInsert>& inserts);

} // namespace opening
