#pragma once

#include "Documents.h"
#include "Placeholder.h"
#include "Settings.h"
#include "StoredState.h"
#include "SupplierList.h"

#include <QDate>
#include <QVector>

class TSimpleDataMod;
namespace db {
class Statement;
}

namespace opening {

// What every document of one run carries alike.
struct RunStamp {
    QString billDate;  // "YYYY/MM/DD"
    QString day;       // "YYYYMMDD", inside document numbers
    QString host;      // the workstation's address
};

// Everything a run will write, and why it writes nothing else: one entry per row of the supplier
// list in its order, each bill with the number it would get and its amounts, each payment record
// with its number and amount, each balance not posted with its reason. Made before the first
// write, from the list, the settings and what the database holds; the list's totals, the preview,
// the run and its account are all made from it.
struct OpeningPlan {
    QString refusal;  // why no run can start (nothing is written); empty when one can
    EarlierRun earlier;
    QVector<SupplierEntry> suppliers;
    RunStamp stamp;
    Settings settings;
    Placeholder product;
    QSet<QString> leftovers;  // numbers under which a bill replaces what is stored

    bool refused() const { return !refusal.isEmpty(); }
};

// The plan of a run on the list for the base date, with the database in `state`.
OpeningPlan makePlan(const SupplierList& list, const Settings& settings, const QDate& baseDate,
                     const StoredState& state);

// The same, reading what the database holds now with `query`.
OpeningPlan planOpening(TSimpleDataMod& dm, db::Statement& query, const SupplierList& list, const QDate& baseDate);

} // namespace opening
