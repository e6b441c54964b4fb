#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace db {

enum class FieldType { Text, Integer, Float, Blob };

// A column definition: name, kind, declared width (text), display caption, and whether the
// column is calculated (kept in memory, never read from or written to the database).
struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;
    QString caption = {};
    bool calculated = false;
};

// Readings of a stored value (null: an invalid QVariant). Null reads as "", 0 and 0.0.
// Text that is not a number throws DbError when read as a number; empty text reads as 0.
QString valueToText(const QVariant& value);
qint64 valueToInteger(const QVariant& value);
double valueToDouble(const QVariant& value);

// A value converted to the kind of a column; empty text becomes null in a numeric column.
QVariant valueForType(const QVariant& value, FieldType type);

} // namespace db
