#include "ColumnBinding.h"

#include "DbError.h"
#include "RecordSet.h"
#include "Statement.h"
#include "TableColumns.h"
#include "TextNumbers.h"

#include <optional>

namespace opening {

ColumnBinding::ColumnBinding(const db::Statement& statement, const TableColumns& table, const QString& prefix,
                             const db::RecordSet& rows)
    : textsTrimmed_(table.textsTrimmed)
{
    for (const Column& column : table.columns()) {
        const int field = rows.fieldIndex(column.name);
        if (field < 0)
            throw db::DbError(QStringLiteral("Field '%1' not found").arg(column.name));
        slots_.push_back({statement.paramIndex(prefix + column.name), field, rows.fieldDef(field).type});
    }
}

void ColumnBinding::bind(db::Statement& statement, const db::RecordSet& rows) const
{
    const QVector<QVariant> row = rows.currentRow();
    for (const Slot& slot : slots_) {
        const QVariant cell = row.isEmpty() ? QVariant() : row.at(slot.field);
        switch (slot.type) {
        case db::FieldType::Integer:
            statement.setParam(slot.param, cell.typeId() == QMetaType::LongLong
                                               ? cell.toLongLong()
                                               : db::parseInteger(db::valueToText(cell)).value_or(0));
            break;
        case db::FieldType::Float: {
            std::optional<double> number;
            if (cell.typeId() == QMetaType::Double)
                number = db::fifteenDigitsAsIs(cell.toDouble());
            statement.setParam(slot.param,
                               number ? *number : db::parseDouble(db::valueToText(cell)).value_or(0.0));
            break;
        }
        default: {
            const QString text = db::valueToText(cell);
            statement.setParam(slot.param, textsTrimmed_ ? trimmedLineText(text) : text);
            break;
        }
        }
    }
}

QString trimmedLineText(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from).unicode() <= u' ')
        ++from;
    while (to > from && text.at(to - 1).unicode() <= u' ')
        --to;
    return text.mid(from, to - from);
}

} // namespace opening
