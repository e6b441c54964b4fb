#include "Documents.h"
#include "Text.h"

namespace opening {

bool isFault(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Negative:
    case Outcome::NotANumber:
    case Outcome::TooLong:
    case Outcome::NotFinite:
    case Outcome::Duplicate:
        return true;
    default:
        return false;
    }
}

QString supplierText(const SupplierRow& supplier)
{
    return Text::tr("%1 %2（第 %3 列）").arg(supplier.code, supplier.name).arg(supplier.position);
}

QString kindText(DocumentKind kind)
{
    return kind == DocumentKind::Bill ? Text::tr("進貨單") : Text::tr("預付單");
}

QString outcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Planned:
        return Text::tr("將開立");
    case Outcome::Written:
        return Text::tr("已開立");
    case Outcome::Failed:
        return Text::tr("失敗");
    case Outcome::NotReached:
        return Text::tr("未執行");
    case Outcome::Empty:
        return Text::tr("無餘額");
    case Outcome::Zero:
        return Text::tr("餘額為零");
    case Outcome::Negative:
        return Text::tr("負數餘額");
    case Outcome::NotANumber:
        return Text::tr("非數值");
    case Outcome::TooLong:
        return Text::tr("文字過長");
    case Outcome::NotFinite:
        return Text::tr("金額超出範圍");
    case Outcome::Duplicate:
        return Text::tr("重複廠商代號");
    }
    return {};
}

} // namespace opening
