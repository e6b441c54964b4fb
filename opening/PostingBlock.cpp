#include "PostingBlock.h"

#include "TableColumns.h"

namespace opening {

QStringList insertBlockLines(const QVector<BlockInsert>& inserts)
{
    QStringList declarations;
    for (const BlockInsert& insert : inserts)
        for (const QVector<Column>& line : insert.table->lines) {
            QStringList names;
            for (const Column& column : line)
                names << QStringLiteral("%1%2 TYPE OF COLUMN %3.%2 = :%1%2")
                             .arg(insert.prefix, column.name, insert.table->table);
            declarations << names.join(QStringLiteral(", "));
        }
    QStringList lines{QStringLiteral("EXECUTE BLOCK (")};
    for (int i = 0; i < declarations.size(); ++i)
        lines << declarations.at(i) + (i + 1 < declarations.size() ? QStringLiteral(",") : QStringLiteral(")"));
    lines << QStringLiteral("AS") << QStringLiteral("BEGIN");
    for (const BlockInsert& insert : inserts)
        lines << insertLines(*insert.table, insert.prefix) << QStringLiteral(";");
    lines << QStringLiteral("END");
    return lines;
}

} // namespace opening
