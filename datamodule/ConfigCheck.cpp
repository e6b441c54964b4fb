#include "ConfigCheck.h"
#include "Text.h"

#include "DbError.h"
#include "ParamList.h"
#include "TextCodec.h"

#include <QFileInfo>
#include <QStringList>
#include <limits>

namespace {

// The client sends user, role and password in a parameter block whose texts carry a one-byte
// length; names are identifiers of at most 63 bytes.
constexpr qsizetype kLongestName = 63;
constexpr qsizetype kLongestPassword = 255;
constexpr int kLongestTimeout = 86400;

bool integerIn(const QString& value, int lowest, int highest)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    return ok && number >= lowest && number <= highest;
}

bool oneOf(const QString& value, const QStringList& allowed)
{
    for (const QString& word : allowed)
        if (value.trimmed().compare(word, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool knownCharset(const QString& value)
{
    try {
        db::TextCodec codec(value);
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}

// What a known name's value must be; empty when the value is good. `secret` keeps the value out
// of the message.
struct Verdict {
    QString must;
    bool secret = false;
};

Verdict check(const QString& name, const QString& value)
{
    const auto is = [&name](const char* known) { return name.compare(QLatin1StringView(known), Qt::CaseInsensitive) == 0; };
    if (is("sqldialect"))
        return {integerIn(value, 1, 3) ? QString() : Text::tr("應為 1、2 或 3")};
    if (is("isolationlevel"))
        return {oneOf(value, {QStringLiteral("ReadCommitted"), QStringLiteral("RepeatableRead"), QStringLiteral("Snapshot")})
                    ? QString()
                    : Text::tr("應為 ReadCommitted、RepeatableRead 或 Snapshot")};
    if (is("waitonlocks") || is("commitretain") || is("trim char"))
        return {oneOf(value, {QStringLiteral("True"), QStringLiteral("False")}) ? QString() : Text::tr("應為 True 或 False")};
    if (is("locktimeout") || is("calltimeout"))
        return {integerIn(value, 0, kLongestTimeout) ? QString()
                                                     : Text::tr("應為 0 至 %1 的秒數（0：預設）").arg(kLongestTimeout)};
    if (is("blobsize"))
        return {integerIn(value, -1, std::numeric_limits<int>::max()) ? QString() : Text::tr("應為 -1 或正整數")};
    if (is("servercharset"))
        return {knownCharset(value) ? QString() : Text::tr("不是可用的連線字元集")};
    if (is("user_name") || is("rolename"))
        return {value.toUtf8().size() <= kLongestName ? QString() : Text::tr("過長（最多 %1 位元組）").arg(kLongestName)};
    if (is("password"))
        return {value.toUtf8().size() <= kLongestPassword ? QString()
                                                           : Text::tr("過長（最多 %1 位元組）").arg(kLongestPassword),
                true};
    return {};
}

} // namespace

void checkConfig(const db::ParamList& params)
{
    const QStringList& lines = params.lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const qsizetype eq = line.indexOf(u'=');
        const QString name = eq < 0 ? line : line.left(eq);
        const QString value = eq < 0 ? QString() : line.mid(eq + 1);
        const Verdict verdict = check(name, value);
        if (verdict.must.isEmpty())
            continue;
        const QString shown = verdict.secret ? QString() : Text::tr("「%1」").arg(value.left(40));
        throw db::ConfigError(
            Text::tr("%1 第 %2 行：%3%4 %5").arg(params.source()).arg(i + 1).arg(name, shown, verdict.must));
    }
}

QString passwordExposure(const QString& file, const db::ParamList& params)
{
    if (params.value(QStringLiteral("password")).isEmpty())
        return {};
    if (!(QFileInfo(file).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther)))
        return {};
    return Text::tr("警告：%1 含有資料庫密碼，其他使用者也能讀取；請改為只有擁有者可讀（chmod 600）。").arg(file);
}
