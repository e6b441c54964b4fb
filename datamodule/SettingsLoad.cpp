#include "FrmSimpleDataMod.h"

void TSimpleDataMod::LoadSettings() {}
