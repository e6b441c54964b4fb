#pragma once

#include <QLoggingCategory>

class QString;

namespace db {

// "suppbeforestart.db": every connect and every statement with its text and time. Off unless
// QT_LOGGING_RULES or --verbose turns it on; qCDebug then costs one check of the category.
Q_DECLARE_LOGGING_CATEGORY(lcDb)

// A statement's text for the log: every literal after PASSWORD is masked, so that a statement
// that sets one never shows it.
QString loggedSql(const QString& sql);

} // namespace db
