#include "FrmSimpleDataMod.h"

void TSimpleDataMod::UpgradeSchema() {}
