#include "DbLog.h"

#include <QRegularExpression>
#include <QString>

namespace db {

Q_LOGGING_CATEGORY(lcDb, "suppbeforestart.db", QtWarningMsg)

QString loggedSql(const QString& sql)
{
    static const QRegularExpression password(QStringLiteral(R"((PASSWORD\s*)('(?:[^']|'')*'|"(?:[^"]|"")*"))"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString logged = sql;
    return logged.replace(password, QStringLiteral("\\1'***'"));
}

} // namespace db
