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

// The indexes of the tables the opening writes: the suite's layout, or only those on MASTERBILLID
// (PAY_MASTER without its index on SUPP_CORP_ID), as a field database may have them.
enum class Indexes { Suite, MasterBillIdOnly };

// Makes the database in `dir` (as `name`); `async` switches forced writes off. Empty database
// string on failure, with the reason on standard error.
BenchDatabase makeBenchDatabase(const QTemporaryDir& dir, const QString& name, int suppliers, bool server, bool async,
                                Indexes indexes = Indexes::Suite);

// A byte-for-byte copy of a database file made by makeBenchDatabase, under another name, so that
// two programs can write the same starting data. The server must not have the source attached.
// With a port, the copy's dbconfig.txt reaches the server through 127.0.0.1 on that port (a
// SlowLink).
BenchDatabase copyBenchDatabase(const QTemporaryDir& dir, const BenchDatabase& source, const QString& name,
                                int port = 0);

// Peak resident memory of this process so far, and the current one, in kilobytes.
long peakMemoryKb();
long currentMemoryKb();

} // namespace bench
