#pragma once

#include "CallWatch.h"
#include "DbError.h"
#include "FbHandle.h"
#include "ParamList.h"
#include "PreparedStatements.h"
#include "TextCodec.h"

#include <firebird/Interface.h>
#include <QString>
#include <functional>

namespace db {

enum class Isolation { ReadCommitted, Snapshot };
// When a transaction's work is committed: by commit(), or by the server after each statement that
// changes data (a commit retaining, with no exchange of its own: through a network, a statement
// and its commit cost one round trip).
enum class Commits { OnCommit, EachStatement };
// What a statement outside an active transaction needs: a plain query only reads. OnlyRead: the
// statement may never write, so it reads through the read-only transaction even while another
// is active.
enum class Access { ReadWrite, ReadOnly, OnlyRead };

// The one connection to a Firebird database. It opens on first use with the parameters of its
// list ("Database", "user_name", "password", "rolename", "servercharset", "sqldialect"); a
// database string with a host ("host:path") goes to a server, a bare path to the embedded engine.
// Transactions follow "isolationlevel", "waitonlocks" and "commitretain". A statement run while
// no transaction is active gets one of its own, committed when the statement completes; a plain
// query there reads through the connection's read-only read-committed transaction, which has
// nothing to commit and so costs no write to the database.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    ParamList& params() { return params_; }
    const ParamList& params() const { return params_; }

    // Runs after every successful connect, inside the open that caused it. A failure in it
    // travels out of that open; the connection stays open and the handler does not run again.
    void setAfterConnect(std::function<void()> handler) { afterConnect_ = std::move(handler); }
    // Sees the text of every statement sent to the server, as the statement holds it.
    void setStatementObserver(std::function<void(const QString&)> observer) { observer_ = std::move(observer); }

    bool connected() const { return static_cast<bool>(attachment_); }
    void open();
    void close();
    // Counts connects, so that statements prepared on an earlier attachment are prepared anew.
    quint64 generation() const { return generation_; }

    bool inTransaction() const { return static_cast<bool>(transaction_); }
    // How long a transaction waits for another's lock before it fails, in seconds: the list's
    // "locktimeout", else 20.
    int lockTimeout() const;
    // How long a call to the server may go unanswered before it is given up, in seconds: the
    // list's "calltimeout", else 60. A call that may wait for a lock is given that wait and two
    // seconds more, so that a long lock wait is not taken for a server that stopped answering.
    int callTimeout() const;
    // Runs calls to the server on the open attachment under the watch: when the server has not
    // answered within the bound, the connection is ended and the call fails at once. A call that
    // fails so, or for a connection that broke off, leaves the connection closed (the next use
    // connects again; what was not committed is the server's to roll back) and throws a DbError
    // whose isConnectionLost() is true, saying in the system's language what happened
    // ("伺服器 N 秒未回應", "與資料庫的連線中斷") above the driver's words. Calls nest.
    template <class Call>
    decltype(auto) serverCall(Call&& call)
    {
        const CallScope scope(*this);
        try {
            return call();
        } catch (const DbError& error) {
            scope.failed(error);
            throw;
        }
    }
    // Within a serverCall: the server answered (a row came), its bound starts again.
    void answered() { watch_.answered(); }
    // Transactions started from now on wait at most this long instead (0: lockTimeout()), so
    // that a caller can wait in short steps and tell the operator in between. Returns the
    // previous value.
    int setLockWait(int seconds);
    void startTransaction(int transactionId, Isolation isolation, Commits commits = Commits::OnCommit);
    void commit(int transactionId);
    void rollback(int transactionId);

    // For statements: the attachment (opening the connection on first use), the read-only
    // transaction that prepares statements and runs plain queries, the SQL dialect and the
    // report of a statement being sent.
    Firebird::IAttachment* attachment();
    Firebird::ITransaction* reader();
    unsigned dialect() const;
    void statementSent(const QStringList& lines) const;
    // The statement of this text prepared on the attachment: while a StatementReuse lives, the one
    // prepared before, when the attachment still holds it.
    std::shared_ptr<PreparedStatement> prepare(const QString& sql);
    // Lets go of every prepared statement, before a change of metadata.
    void forgetPrepared() { prepared_.clear(); }
    bool reusesStatements() const { return reuseScopes_ > 0; }
    // How texts are encoded on the open connection (its "servercharset").
    const TextCodec& codec() const { return codec_; }
    // A read-write, read-committed transaction beside the connection's own, that waits on a lock
    // at most `lockWaitSeconds` (0: not at all): for holding row locks for as long as the caller
    // keeps it.
    FbHandle<Firebird::ITransaction> startSideTransaction(int lockWaitSeconds = 0);

private:
    friend class Work;
    friend class StatementReuse;
    class CallScope {
    public:
        explicit CallScope(Connection& connection);
        ~CallScope();
        CallScope(const CallScope&) = delete;
        CallScope& operator=(const CallScope&) = delete;
        // Throws the connection-lost error at the outermost scope, having closed the connection.
        void failed(const DbError& error) const;

    private:
        Connection& connection_;
    };
    // Lets go of the attachment and everything on it without asking the server.
    void abandon();
    int callBound() const;
    Firebird::ITransaction* beginPhysical(Isolation isolation, Commits commits = Commits::OnCommit);
    Firebird::ITransaction* startPhysical(Isolation isolation, Access access, Commits commits = Commits::OnCommit);
    void finishCommit(FbHandle<Firebird::ITransaction>& transaction);
    void finishRollback(FbHandle<Firebird::ITransaction>& transaction);
    Isolation listIsolation() const;

    ParamList params_;
    TextCodec codec_;
    std::function<void()> afterConnect_;
    std::function<void(const QString&)> observer_;
    FbHandle<Firebird::IAttachment> attachment_;
    PreparedStatements prepared_;  // of attachment_, let go before it
    int reuseScopes_ = 0;
    quint64 generation_ = 0;
    FbHandle<Firebird::ITransaction> transaction_;  // started by startTransaction
    FbHandle<Firebird::ITransaction> retained_;     // context kept by a commit retaining
    FbHandle<Firebird::ITransaction> reader_;       // read-only, read committed, kept open
    int lockWait_ = 0;
    CallWatch watch_;  // declared after attachment_: stopped before it is let go
    int callDepth_ = 0;
};

// The transaction one statement runs in: the connection's active transaction; else, for a plain
// query, the connection's reader; else one of its own that complete() commits (auto-commit) and
// that is rolled back if the statement fails.
class Work {
public:
    Work(Connection& connection, Access access);
    ~Work();
    Work(const Work&) = delete;
    Work& operator=(const Work&) = delete;

    Firebird::ITransaction* transaction() const { return transaction_; }
    void complete();

private:
    Connection& connection_;
    FbHandle<Firebird::ITransaction> own_;
    Firebird::ITransaction* transaction_ = nullptr;
};

// While one lives, the connection prepares each statement text once and runs it again as
// prepared: for a block of work that sends the same statements many times. When the last one
// ends they are let go, so that statements sent later see what other workstations changed in the
// metadata (a trigger added or dropped) in the meantime.
class StatementReuse {
public:
    explicit StatementReuse(Connection& connection) : connection_(connection) { ++connection_.reuseScopes_; }
    ~StatementReuse()
    {
        if (--connection_.reuseScopes_ == 0)
            connection_.forgetPrepared();
    }
    StatementReuse(const StatementReuse&) = delete;
    StatementReuse& operator=(const StatementReuse&) = delete;

private:
    Connection& connection_;
};

// A transaction of the connection for one block of work: started on construction, rolled back
// on leaving the block without commit(), so a failure inside never leaves it open.
class TransactionScope {
public:
    explicit TransactionScope(Connection& connection, Isolation isolation = Isolation::ReadCommitted,
                              int transactionId = 1, Commits commits = Commits::OnCommit);
    ~TransactionScope();
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;

    void commit();
    void rollback();

private:
    Connection& connection_;
    int id_;
    bool active_ = true;
};

// Creates an empty database (character set UTF8) at the database string and detaches. A server
// lets a user who is not its administrator create one only under a role that allows it.
void createDatabase(const QString& database, const QString& user, const QString& password, const QString& role = {});

} // namespace db
