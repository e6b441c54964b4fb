#include "FrmSuppBeforeStart.h"

void TFormSuppBeforeStart::SpeedButton1Click() {}
