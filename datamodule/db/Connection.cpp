#include "Connection.h"

#include "DbError.h"
#include "DbLog.h"
#include "FbStatus.h"
#include "SqlText.h"
#include "Text.h"

#include <algorithm>

#include <QElapsedTimer>
#include <utility>

using namespace Firebird;

namespace db {

namespace {
constexpr int kConnectTimeoutSeconds = 15;
constexpr int kLockTimeoutSeconds = 20;
constexpr int kCallTimeoutSeconds = 60;
constexpr int kLockWaitMarginSeconds = 2;

bool isTrue(const QString& value)
{
    return value.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
}

void insertText(IXpbBuilder* builder, FbStatus& status, unsigned char tag, const QString& value)
{
    builder->insertString(status.get(), tag, value.toUtf8().constData());
    status.check();
}

FbHandle<IXpbBuilder> newBuilder(FbStatus& status, unsigned kind)
{
    FbHandle<IXpbBuilder> builder(fbUtil()->getXpbBuilder(status.get(), kind, nullptr, 0));
    status.check();
    return builder;
}
} // namespace

Connection::Connection()
{
    // What the driver puts into the list when it loads, before any configuration.
#ifdef _WIN32
    params_.setValue(QStringLiteral("VendorLib"), QStringLiteral("fbclient.dll"));
#else
    params_.setValue(QStringLiteral("VendorLib"), QStringLiteral("libfbclient.so.2"));
#endif
    params_.setValue(QStringLiteral("DriverName"), QStringLiteral("Firebird"));
}

Connection::~Connection()
{
    try {
        close();
    } catch (const DbError&) {
        // The attachment is released below whatever the server answered.
    }
}

void Connection::open()
{
    if (connected())
        return;
    // Without a database string the client would only complain about a file named "".
    if (params_.value(QStringLiteral("Database")).trimmed().isEmpty())
        throw ConfigError(params_.source().isEmpty()
                          ? QStringLiteral("連線參數沒有 Database 項目（資料庫位置），無法連線。")
                          : QStringLiteral("%1 沒有可用的 Database 項目（資料庫位置），無法連線。").arg(params_.source()));
    // Without "servercharset" the server attaches with NONE.
    TextCodec codec(params_.value(QStringLiteral("servercharset")));
    FbStatus status;
    auto dpb = newBuilder(status, IXpbBuilder::DPB);
    dpb->insertTag(status.get(), isc_dpb_utf8_filename);
    status.check();
    const auto optional = [&](const char* name, unsigned char tag) {
        if (params_.contains(QString::fromLatin1(name)))
            insertText(dpb.get(), status, tag, params_.value(QString::fromLatin1(name)));
    };
    optional("user_name", isc_dpb_user_name);
    optional("password", isc_dpb_password);
    optional("rolename", isc_dpb_sql_role_name);
    optional("servercharset", isc_dpb_lc_ctype);
    dpb->insertInt(status.get(), isc_dpb_sql_dialect, static_cast<int>(dialect()));
    // A host that accepts and never answers would hold the window for minutes.
    dpb->insertInt(status.get(), isc_dpb_connect_timeout, kConnectTimeoutSeconds);
    status.check();

    QElapsedTimer took;
    if (lcDb().isDebugEnabled())
        took.start();
    FbHandle<IProvider> provider(fbMaster()->getDispatcher());
    const QByteArray database = params_.value(QStringLiteral("Database")).toUtf8();
    FbHandle<IAttachment> attachment(provider->attachDatabase(
        status.get(), database.constData(), dpb->getBufferLength(status.get()), dpb->getBuffer(status.get())));
    try {
        status.check();
    } catch (const DbError& error) {
        // The server's words alone ("connection rejected by remote interface") do not say where.
        throw DbError(QStringLiteral("無法連線到資料庫 %1\n%2").arg(QString::fromUtf8(database), error.message()),
                      error.errorCodes());
    }
    // Where and as whom; never the password.
    qCDebug(lcDb).noquote() << QStringLiteral("connected to %1 as %2 in %3 ms")
                                   .arg(QString::fromUtf8(database), params_.value(QStringLiteral("user_name")))
                                   .arg(took.elapsed());
    attachment_ = std::move(attachment);
    codec_ = std::move(codec);
    ++generation_;
    if (afterConnect_)
        afterConnect_();
}

namespace {
// Ends a transaction with a finishing call; the handle is given back to the library when the
// call succeeds and released otherwise. Returns the failure's text, empty on success.
template <class Finish>
QString finish(FbHandle<ITransaction>& transaction, Finish call)
{
    if (!transaction)
        return {};
    FbStatus status;
    call(transaction.get(), status.get());
    if (!status.failed()) {
        transaction.take();
        return {};
    }
    transaction.reset();
    try {
        status.check();
    } catch (const DbError& error) {
        return error.message();
    }
    return {};
}
} // namespace

void Connection::close()
{
    if (!connected())
        return;
    const auto rollback = [](ITransaction* t, CheckStatusWrapper* s) { t->rollback(s); };
    const auto commit = [](ITransaction* t, CheckStatusWrapper* s) { t->commit(s); };
    prepared_.clear();
    serverCall([&] {
        finish(transaction_, rollback);
        finish(retained_, commit);
        finish(reader_, commit);
        FbStatus status;
        attachment_->detach(status.get());
        if (!status.failed())
            attachment_.take();
        watch_.disarm();
        attachment_.reset();
        status.check();
    });
}

void Connection::abandon()
{
    watch_.disarm();
    prepared_.clear();
    transaction_.reset();
    retained_.reset();
    reader_.reset();
    attachment_.reset();
}

int Connection::callTimeout() const
{
    const int seconds = params_.value(QStringLiteral("calltimeout")).trimmed().toInt();
    return seconds > 0 ? seconds : kCallTimeoutSeconds;
}

int Connection::callBound() const
{
    if (!isTrue(params_.value(QStringLiteral("waitonlocks"))))
        return callTimeout();
    return std::max(callTimeout(), std::max(lockWait_, lockTimeout()) + kLockWaitMarginSeconds);
}

Connection::CallScope::CallScope(Connection& connection) : connection_(connection)
{
    if (connection_.callDepth_++ == 0 && connection_.attachment_)
        connection_.watch_.arm(connection_.attachment_.get(), std::chrono::seconds(connection_.callBound()));
}

Connection::CallScope::~CallScope()
{
    if (--connection_.callDepth_ == 0)
        connection_.watch_.disarm();
}

void Connection::CallScope::failed(const DbError& error) const
{
    const bool timedOut = connection_.watch_.fired();
    if (connection_.callDepth_ != 1 || (!timedOut && !error.isConnectionLost()))
        return;
    connection_.abandon();
    const QString what = timedOut ? Text::tr("伺服器 %1 秒未回應，已中斷與資料庫的連線。").arg(connection_.callBound())
                                  : Text::tr("與資料庫的連線中斷。");
    throw DbError(what + u'\n' + error.message(), DbError::lostConnectionCodes(error.errorCodes()));
}

IAttachment* Connection::attachment()
{
    open();
    return attachment_.get();
}

unsigned Connection::dialect() const
{
    const auto value = params_.value(QStringLiteral("sqldialect")).trimmed();
    bool ok = false;
    const unsigned dialect = value.toUInt(&ok);
    return ok && dialect >= 1 && dialect <= 3 ? dialect : 3;
}

void Connection::statementSent(const QStringList& lines) const
{
    if (observer_)
        observer_(lines.join(u'\n'));
}

std::shared_ptr<PreparedStatement> Connection::prepare(const QString& sql)
{
    IAttachment* att = attachment();
    if (std::shared_ptr<PreparedStatement> known = prepared_.find(sql))
        return known;
    FbStatus status;
    const QByteArray text = codec_.encode(sql);
    auto statement = std::make_shared<PreparedStatement>();
    statement->sql = sql;
    statement->attachment = generation_;
    ITransaction* preparing = reader();
    serverCall([&] {
        // Prepared in the reader, so the kind of statement is known before choosing the
        // transaction it runs in.
        statement->handle.reset(att->prepare(status.get(), preparing, static_cast<unsigned>(text.size()),
                                             text.constData(), dialect(), IStatement::PREPARE_PREFETCH_METADATA));
        status.check();
        statement->type = statement->handle->getType(status.get());
        status.check();
    });
    statement->writes = statement->type != isc_info_sql_stmt_select;
    if (reuseScopes_ > 0)
        prepared_.add(sql, statement);
    return statement;
}

Isolation Connection::listIsolation() const
{
    const QString level = params_.value(QStringLiteral("isolationlevel"));
    return level.compare(QStringLiteral("RepeatableRead"), Qt::CaseInsensitive) == 0 ||
                   level.compare(QStringLiteral("Snapshot"), Qt::CaseInsensitive) == 0
               ? Isolation::Snapshot
               : Isolation::ReadCommitted;
}

ITransaction* Connection::beginPhysical(Isolation isolation, Commits commits)
{
    open();
    if (retained_ && commits == Commits::OnCommit)
        return retained_.take();
    return startPhysical(isolation, Access::ReadWrite, commits);
}

ITransaction* Connection::reader()
{
    open();
    if (!reader_)
        reader_.reset(startPhysical(Isolation::ReadCommitted, Access::ReadOnly));
    return reader_.get();
}

FbHandle<ITransaction> Connection::startSideTransaction(int lockWaitSeconds)
{
    IAttachment* att = attachment();
    FbStatus status;
    auto tpb = newBuilder(status, IXpbBuilder::TPB);
    for (int tag : {isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version})
        tpb->insertTag(status.get(), static_cast<unsigned char>(tag));
    if (lockWaitSeconds > 0) {
        tpb->insertTag(status.get(), isc_tpb_wait);
        tpb->insertInt(status.get(), isc_tpb_lock_timeout, lockWaitSeconds);
    } else {
        tpb->insertTag(status.get(), isc_tpb_nowait);
    }
    status.check();
    return serverCall([&] {
        FbHandle<ITransaction> transaction(
            att->startTransaction(status.get(), tpb->getBufferLength(status.get()), tpb->getBuffer(status.get())));
        status.check();
        return transaction;
    });
}

int Connection::lockTimeout() const
{
    const int seconds = params_.value(QStringLiteral("locktimeout")).toInt();
    return seconds > 0 ? seconds : kLockTimeoutSeconds;
}

int Connection::setLockWait(int seconds)
{
    return std::exchange(lockWait_, seconds);
}

ITransaction* Connection::startPhysical(Isolation isolation, Access access, Commits commits)
{
    IAttachment* att = attachment();
    FbStatus status;
    auto tpb = newBuilder(status, IXpbBuilder::TPB);
    tpb->insertTag(status.get(), access == Access::ReadOnly ? isc_tpb_read : isc_tpb_write);
    if (commits == Commits::EachStatement)
        tpb->insertTag(status.get(), isc_tpb_autocommit);
    if (isolation == Isolation::ReadCommitted) {
        tpb->insertTag(status.get(), isc_tpb_read_committed);
        tpb->insertTag(status.get(), isc_tpb_rec_version);
    } else {
        tpb->insertTag(status.get(), isc_tpb_concurrency);
    }
    if (isTrue(params_.value(QStringLiteral("waitonlocks")))) {
        tpb->insertTag(status.get(), isc_tpb_wait);
        // Waiting on another workstation's lock ends after a while with a clear failure instead
        // of holding the window without a word.
        tpb->insertInt(status.get(), isc_tpb_lock_timeout, lockWait_ > 0 ? lockWait_ : lockTimeout());
    } else {
        tpb->insertTag(status.get(), isc_tpb_nowait);
    }
    status.check();
    return serverCall([&] {
        ITransaction* transaction =
            att->startTransaction(status.get(), tpb->getBufferLength(status.get()), tpb->getBuffer(status.get()));
        status.check();
        return transaction;
    });
}

void Connection::finishCommit(FbHandle<ITransaction>& transaction)
{
    serverCall([&] {
        FbStatus status;
        if (isTrue(params_.value(QStringLiteral("commitretain")))) {
            transaction->commitRetaining(status.get());
            status.check();
            retained_ = std::move(transaction);
            return;
        }
        transaction->commit(status.get());
        status.check();
        transaction.take();
    });
}

void Connection::finishRollback(FbHandle<ITransaction>& transaction)
{
    serverCall([&] {
        FbStatus status;
        transaction->rollback(status.get());
        if (!status.failed())
            transaction.take();
        transaction.reset();
        status.check();
    });
}

void Connection::startTransaction(int, Isolation isolation, Commits commits)
{
    if (inTransaction())
        throw DbError(QStringLiteral("A transaction is already active"));
    transaction_.reset(beginPhysical(isolation, commits));
}

void Connection::commit(int)
{
    if (!inTransaction())
        throw DbError(QStringLiteral("There is no active transaction"));
    finishCommit(transaction_);
}

void Connection::rollback(int)
{
    if (!inTransaction())
        throw DbError(QStringLiteral("There is no active transaction"));
    finishRollback(transaction_);
}

Work::Work(Connection& connection, Access access) : connection_(connection)
{
    connection.open();
    if (access == Access::OnlyRead) {
        transaction_ = connection.reader();
    } else if (connection.inTransaction()) {
        transaction_ = connection.transaction_.get();
    } else if (access == Access::ReadOnly) {
        transaction_ = connection.reader();
    } else {
        own_.reset(connection.beginPhysical(connection.listIsolation()));
        transaction_ = own_.get();
    }
}

Work::~Work()
{
    if (!own_)
        return;
    try {
        connection_.finishRollback(own_);
    } catch (const DbError&) {
        // The statement's own failure is the one that travels; the handle is released anyway.
    }
}

void Work::complete()
{
    if (own_)
        connection_.finishCommit(own_);
}

TransactionScope::TransactionScope(Connection& connection, Isolation isolation, int transactionId, Commits commits)
    : connection_(connection), id_(transactionId)
{
    connection.startTransaction(transactionId, isolation, commits);
}

TransactionScope::~TransactionScope()
{
    if (!active_ || !connection_.inTransaction())
        return;
    try {
        connection_.rollback(id_);
    } catch (const DbError&) {
        // The failure that ended the block is the one that travels; the server drops the rest.
    }
}

void TransactionScope::commit()
{
    connection_.commit(id_);
    active_ = false;
}

void TransactionScope::rollback()
{
    active_ = false;
    connection_.rollback(id_);
}

void createDatabase(const QString& database, const QString& user, const QString& password, const QString& role)
{
    if (!role.isEmpty() && (!isIdentifier(role) || !isIdentifier(user)))
        throw DbError(QStringLiteral("'%1' or '%2' is not a valid user or role name").arg(user, role));
    FbStatus status;
    auto dpb = newBuilder(status, IXpbBuilder::DPB);
    dpb->insertTag(status.get(), isc_dpb_utf8_filename);
    insertText(dpb.get(), status, isc_dpb_user_name, user);
    insertText(dpb.get(), status, isc_dpb_password, password);
    if (!role.isEmpty())
        insertText(dpb.get(), status, isc_dpb_sql_role_name, role);
    insertText(dpb.get(), status, isc_dpb_set_db_charset, QStringLiteral("UTF8"));
    insertText(dpb.get(), status, isc_dpb_lc_ctype, QStringLiteral("UTF8"));
    dpb->insertInt(status.get(), isc_dpb_sql_dialect, 3);
    status.check();
    FbHandle<IProvider> provider(fbMaster()->getDispatcher());
    const QByteArray path = database.toUtf8();
    FbHandle<IAttachment> attachment(provider->createDatabase(
        status.get(), path.constData(), dpb->getBufferLength(status.get()), dpb->getBuffer(status.get())));
    status.check();
    if (!role.isEmpty()) {
        // The role the database was created under stays the creator's in it: later attachments
        // of the same login may take it again.
        FbHandle<ITransaction> transaction(attachment->startTransaction(status.get(), 0, nullptr));
        status.check();
        const QByteArray grant = QStringLiteral("GRANT %1 TO %2").arg(role, user).toUtf8();
        attachment->execute(status.get(), transaction.get(), 0, grant.constData(), 3, nullptr, nullptr, nullptr,
                            nullptr);
        status.check();
        transaction->commit(status.get());
        status.check();
        transaction.take();
    }
    attachment->detach(status.get());
    status.check();
    attachment.take();
}

} // namespace db
