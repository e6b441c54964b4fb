#pragma once

class TSimpleDataMod;
namespace db {
class Statement;
}

namespace opening {

// The purchase settings the run writes into every bill, checked before anything is written:
// a negative in_tax, or an in_money_id or main_stockid longer than the bill's column, would
// give wrong bills or fail every one of them. Throws with a message naming the setting.
void checkPurchaseSettings(db::Statement& query);

} // namespace opening
