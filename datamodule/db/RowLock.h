#pragma once

#include "FbHandle.h"

#include <firebird/Interface.h>
#include <QString>

namespace db {

class Connection;

// Row locks held by the server for this connection for as long as the object lives: the
// statement (an update without parameters) runs in a transaction of its own that waits at most
// `waitSeconds` for another's lock (0: not at all) and is rolled back at the end. Should the program die, the server rolls it back when the
// attachment drops, so a lock is never left behind. Another transaction holding the row makes
// the constructor throw a DbError whose isUpdateConflict() is true.
class RowLock {
public:
    RowLock(Connection& connection, const QString& statement, int waitSeconds = 0);
    ~RowLock();
    RowLock(const RowLock&) = delete;
    RowLock& operator=(const RowLock&) = delete;

private:
    Connection& connection_;
    FbHandle<Firebird::ITransaction> transaction_;
};

} // namespace db
