#include "SettingConversions.h"

#include "TextNumbers.h"

#include <limits>

int integerSetting(const QString& text)
{
    const std::optional<qint64> value = db::parseInteger(text);
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(*value);
}

double rateSetting(const QString& text)
{
    return db::parseDouble(text).value_or(0.05);
}

std::optional<QString> displayFormat(int places)
{
    if (places < 0 || places > 5)
        return std::nullopt;
    QString format = QStringLiteral("#,##0");
    if (places > 0)
        format += u'.' + QString(places, u'0');
    return format;
}
