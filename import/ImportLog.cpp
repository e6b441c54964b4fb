#include "ImportLog.h"

namespace balanceimport {

Q_LOGGING_CATEGORY(lcImport, "suppbeforestart.import", QtWarningMsg)

} // namespace balanceimport
