#include "RunLog.h"

namespace opening {

Q_LOGGING_CATEGORY(lcRun, "suppbeforestart.run", QtWarningMsg)

} // namespace opening
