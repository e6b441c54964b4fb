#pragma once

#include "Money.h"

#include <QString>

namespace db {
class Statement;
}

namespace opening {

// The placeholder product "X99X" whose values every opening bill line copies.
struct Placeholder {
    QString id;           // PROD_ID
    QString barcode;      // PROD_BARCODE
    QString name;         // PROD_NAME
    QString scale;        // PROD_SCALE
    QString unit;         // UNIT_ID
    QString taxKind;      // TAX_KIND
    QString countsStock;  // STK_QTY_YN
    QString category;     // PD_ITEMID
    Money salePrice;      // SALE_PRICE read as a number, 0 when empty or not a number
};

// The row the run makes when the product does not exist yet.
Placeholder insertedPlaceholder();
// The stored row, read with "SELECT * FROM PRODUCT WHERE PROD_ID = 'X99X' ".
Placeholder storedPlaceholder(const db::Statement& row);

} // namespace opening
