#pragma once

#include <QString>
#include <QStringList>

class QTemporaryDir;

namespace bench {

// A generated suite database in a temporary folder: suppliers S00001...; nine in ten have both
// balances, one in twenty only an unpaid one, the rest nothing; tax flags 0, 1 and 2 in turn;
// the purchase settings set. The folder also gets a dbconfig.txt with the connection lines.
struct BenchDatabase {
    QString database;          // the database string: a path, or "localhost:path"
    QStringList connectionLines;
};

// Makes the database in `dir` (as `name`); `async` switches forced writes off. Empty database
// string on failure, with the reason on standard error.
BenchDatabase makeBenchDatabase(const QTemporaryDir& dir, const QString& name, int suppliers, bool server, bool async);

// A byte-for-byte copy of a database file made by makeBenchDatabase, under another name, so that
// two programs can write the same starting data. The server must not have the source attached.
BenchDatabase copyBenchDatabase(const QTemporaryDir& dir, const BenchDatabase& source, const QString& name);

// Peak resident memory of this process so far, and the current one, in kilobytes.
long peakMemoryKb();
long currentMemoryKb();

} // namespace bench
