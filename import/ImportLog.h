#pragma once

#include <QLoggingCategory>

namespace balanceimport {

// "suppbeforestart.import": what a balance import read, how it compared and what it wrote. Off
// unless QT_LOGGING_RULES or --verbose turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcImport)

} // namespace balanceimport
