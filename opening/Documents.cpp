#include "Documents.h"

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
    return QStringLiteral("%1 %2（第 %3 列）").arg(supplier.code, supplier.name).arg(supplier.position);
}

QString kindText(DocumentKind kind)
{
    return kind == DocumentKind::Bill ? QStringLiteral("進貨單") : QStringLiteral("預付單");
}

QString outcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Planned:
        return QStringLiteral("將開立");
    case Outcome::Written:
        return QStringLiteral("已開立");
    case Outcome::Failed:
        return QStringLiteral("失敗");
    case Outcome::NotReached:
        return QStringLiteral("未執行");
    case Outcome::Empty:
        return QStringLiteral("無餘額");
    case Outcome::Zero:
        return QStringLiteral("餘額為零");
    case Outcome::Negative:
        return QStringLiteral("負數餘額");
    case Outcome::NotANumber:
        return QStringLiteral("非數值");
    case Outcome::TooLong:
        return QStringLiteral("文字過長");
    case Outcome::NotFinite:
        return QStringLiteral("金額超出範圍");
    case Outcome::Duplicate:
        return QStringLiteral("重複廠商代號");
    }
    return {};
}

} // namespace opening
