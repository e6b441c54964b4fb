#include "RowLock.h"

#include "Connection.h"
#include "DbLog.h"
#include "DbError.h"
#include "FbStatus.h"

namespace db {

namespace {
// Ends the transaction; once the server has rolled it back the handle is spent.
void rollBack(FbHandle<Firebird::ITransaction>& transaction)
{
    FbStatus status;
    transaction->rollback(status.get());
    if (!status.failed())
        transaction.take();
}
} // namespace

RowLock::RowLock(Connection& connection, const QString& statement, int waitSeconds)
    : connection_(connection), transaction_(connection.startSideTransaction(waitSeconds))
{
    const QByteArray sql = connection.codec().encode(statement);
    connection.statementSent({statement});
    Firebird::IAttachment* attachment = connection.attachment();
    connection.serverCall([&] {
        FbStatus status;
        attachment->execute(status.get(), transaction_.get(), 0, sql.constData(), connection.dialect(), nullptr, nullptr,
                            nullptr, nullptr);
        if (status.failed()) {
            rollBack(transaction_);
            status.check();
        }
    });
    qCDebug(lcDb).noquote() << "row lock taken:" << loggedSql(statement);
}

RowLock::~RowLock()
{
    if (!transaction_)
        return;
    try {
        connection_.serverCall([this] { rollBack(transaction_); });
    } catch (const DbError&) {
        // The connection is gone: the server rolls the lock back with it.
    }
}

} // namespace db
