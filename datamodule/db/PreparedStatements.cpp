#include "PreparedStatements.h"

namespace db {

std::shared_ptr<PreparedStatement> PreparedStatements::find(const QString& sql)
{
    const auto found = byText_.constFind(sql);
    if (found == byText_.cend())
        return {};
    recent_.splice(recent_.begin(), recent_, found.value());
    return recent_.front().second;
}

void PreparedStatements::add(const QString& sql, std::shared_ptr<PreparedStatement> statement)
{
    if (const auto found = byText_.constFind(sql); found != byText_.cend()) {
        recent_.erase(found.value());
        byText_.erase(found);
    }
    recent_.emplace_front(sql, std::move(statement));
    byText_.insert(sql, recent_.begin());
    while (recent_.size() > static_cast<size_t>(capacity_)) {
        byText_.remove(recent_.back().first);
        recent_.pop_back();
    }
}

void PreparedStatements::clear()
{
    byText_.clear();
    recent_.clear();
}

} // namespace db
