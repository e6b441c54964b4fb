#pragma once

#include "Value.h"

#include <QVector>

namespace opening {
struct BillWorkspace;
}

// The fixed column layouts of the in-memory purchase bill: whatever the query returns, the
// header and line record sets carry exactly these columns (text widths declared as three times
// the table's width in characters).
QVector<db::FieldDef> billMasterLayout();
QVector<db::FieldDef> billSubLayout();

// Gives the bill's header and lines their layouts and closes them: their next open lays them out.
void applyBillLayouts(opening::BillWorkspace& bill);
