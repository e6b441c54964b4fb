#include "Value.h"

#include "DbError.h"
#include "TextNumbers.h"

#include <cmath>

namespace db {

namespace {
bool isFloating(const QVariant& value)
{
    const int id = value.typeId();
    return id == QMetaType::Double || id == QMetaType::Float;
}
bool isIntegral(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}
} // namespace

QString valueToText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (isFloating(value))
        return formatDouble(value.toDouble());
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

qint64 valueToInteger(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return 0;
    if (isIntegral(value))
        return value.toLongLong();
    if (isFloating(value))
        return std::llround(value.toDouble());
    const QString text = valueToText(value);
    if (text.isEmpty())
        return 0;
    if (auto parsed = parseInteger(text))
        return *parsed;
    throw DbError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

double valueToDouble(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return 0.0;
    if (isIntegral(value) || isFloating(value))
        return value.toDouble();
    const QString text = valueToText(value);
    if (text.isEmpty())
        return 0.0;
    if (auto parsed = parseDouble(text))
        return *parsed;
    throw DbError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

QVariant valueForType(const QVariant& value, FieldType type)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (type) {
    case FieldType::Text:
        return valueToText(value);
    case FieldType::Integer:
        if (!isIntegral(value) && !isFloating(value) && valueToText(value).isEmpty())
            return {};
        return QVariant::fromValue(valueToInteger(value));
    case FieldType::Float:
        if (!isIntegral(value) && !isFloating(value) && valueToText(value).isEmpty())
            return {};
        return QVariant::fromValue(valueToDouble(value));
    case FieldType::Blob:
        return value.typeId() == QMetaType::QByteArray ? value : QVariant(valueToText(value).toUtf8());
    }
    return {};
}

} // namespace db
