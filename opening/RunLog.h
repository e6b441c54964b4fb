#pragma once

#include <QLoggingCategory>

namespace opening {

// "suppbeforestart.run": each step of an opening run (claim, plan, replacing an earlier run,
// every supplier's documents, how it ended). Off unless QT_LOGGING_RULES or --verbose turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcRun)

} // namespace opening
