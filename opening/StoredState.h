#pragma once

#include "Placeholder.h"
#include "RunRecord.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <optional>

class TSimpleDataMod;
namespace db {
class Statement;
}

namespace opening {

// The opening documents of an earlier run (numbers beginning with "0"). Any of them, bills or
// lines or payment records alone, counts as an earlier run: a run replaces them all at once or
// writes nothing, so that no old amount is kept silently and no number is stored twice.
struct EarlierRun {
    int bills = 0;     // PURCHASE_MASTER
    int lines = 0;     // PURCHASE_DETAIL
    int payments = 0;  // PAY_MASTER
    Money billsTotal;  // what the bills and payment records stored amount to
    Money paymentsTotal;
    std::optional<RunRecord> record;  // the recorded run that wrote them, when there is one
    bool exists() const { return bills + lines + payments > 0; }
};

// The widths of the columns of the tables the run writes, as the database declares them.
class ColumnWidths {
public:
    // A column; its width in characters when it holds text.
    void add(const QString& table, const QString& column, std::optional<int> characters);
    bool has(const QString& table, const QString& column) const;
    // The width of a text column; nothing for other columns and for columns the table lacks.
    std::optional<int> width(const QString& table, const QString& column) const;

private:
    QHash<QString, std::optional<int>> widths_;
};

// What the database holds that a run's plan depends on, read at one moment.
struct StoredState {
    EarlierRun earlier;
    qint64 nextSequence = 1;         // the sequence the base date's next bill number gets
    QSet<QString> leftovers;         // numbers of the base date with an opening bill's stock change stored
    ColumnWidths widths;
    std::optional<Placeholder> placeholder;  // the stored placeholder product, when there is one
    QString host;                    // the workstation's address, as the documents record it
};

StoredState readStoredState(TSimpleDataMod& dm, db::Statement& query, const QDate& baseDate);

} // namespace opening
