#include "Statement.h"

#include "Connection.h"
#include "DbLog.h"
#include "DbError.h"
#include "FbMessage.h"
#include "FbStatus.h"
#include "SqlText.h"

#include <QElapsedTimer>

using namespace Firebird;

namespace db {

void Statement::setConnection(Connection* connection)
{
    close();
    connection_ = connection;
    prepared_.reset();
}

void Statement::clearText()
{
    lines_.clear();
    textChanged();
}

void Statement::addLine(const QString& line)
{
    lines_ << line;
    textChanged();
}

void Statement::setLines(const QStringList& lines)
{
    if (lines == lines_ && !lines_.isEmpty()) {
        // The same text again: its parameters are known, only their values start anew.
        close();
        paramValues_.assign(paramValues_.size(), ParamValue{});
        return;
    }
    lines_ = lines;
    textChanged();
}

void Statement::textChanged()
{
    close();
    ParsedSql parsed = parseSql(text());
    positionalSql_ = std::move(parsed.positional);
    paramNames_ = std::move(parsed.names);
    paramPositions_.clear();
    for (int i = 0; i < paramNames_.size(); ++i)
        paramPositions_.insert(paramNames_.at(i), i);
    markerNames_ = std::move(parsed.markerNames);
    paramValues_.assign(static_cast<size_t>(paramNames_.size()), ParamValue{});
}

int Statement::paramIndex(const QString& name) const
{
    // As spelled in the text first: a bill binds over a hundred parameters by name.
    if (const auto found = paramPositions_.constFind(name); found != paramPositions_.cend())
        return found.value();
    for (int i = 0; i < paramNames_.size(); ++i)
        if (paramNames_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw DbError(QStringLiteral("Parameter '%1' not found").arg(name));
}

ParamValue& Statement::param(const QString& name)
{
    return paramValues_[static_cast<size_t>(paramIndex(name))];
}

void Statement::setParam(int index, ParamValue value)
{
    paramValues_.at(static_cast<size_t>(index)) = std::move(value);
}

void Statement::setParamText(const QString& name, const QString& value)
{
    param(name) = value;
}
void Statement::setParamInteger(const QString& name, qint64 value)
{
    param(name) = value;
}
void Statement::setParamDouble(const QString& name, double value)
{
    param(name) = value;
}
void Statement::setParamNull(const QString& name)
{
    param(name) = nullptr;
}
void Statement::setParamBlob(const QString& name, const QByteArray& value)
{
    param(name) = value;
}

void Statement::close()
{
    open_ = false;
    result_ = DataPacket{};
    row_ = 0;
}

void Statement::open()
{
    run(true);
}

void Statement::execute()
{
    run(false);
}

void Statement::restore(const Contents& contents)
{
    setLines(contents.lines);
    paramValues_ = contents.values;
}

void Statement::run(bool wantRows)
{
    if (!connection_)
        throw DbError(QStringLiteral("The statement has no connection"));
    close();
    // Connected first: the work after a connect may use this very statement, and gives it back
    // before the text and values below are read.
    connection_->open();
    std::vector<const ParamValue*> values;
    values.reserve(markerNames_.size());
    for (int index : markerNames_) {
        const ParamValue& value = paramValues_[static_cast<size_t>(index)];
        if (std::holds_alternative<std::monostate>(value))
            throw DbError(QStringLiteral("No value for parameter '%1'").arg(paramNames_.at(index)));
        values.push_back(&value);
    }

    connection_->statementSent(lines_);
    std::shared_ptr<PreparedStatement> prepared = prepared_;
    if (!prepared || prepared->sql != positionalSql_ || prepared->attachment != connection_->generation())
        prepared = connection_->prepare(positionalSql_);
    // Outside a reuse scope the statement keeps what it prepared, to run the same text again;
    // inside one the connection keeps it, and lets go of it when the metadata changes.
    prepared_ = connection_->reusesStatements() ? nullptr : prepared;
    // A change of metadata waits for no statement that uses the tables it changes.
    if (prepared->type == isc_info_sql_stmt_ddl)
        connection_->forgetPrepared();
    const bool isQuery = prepared->type == isc_info_sql_stmt_select || prepared->type == isc_info_sql_stmt_select_for_upd;
    QElapsedTimer took;
    if (lcDb().isDebugEnabled())
        took.start();
    if (readOnly_) {
        // A procedure is let through to the read-only transaction, which refuses it should it write.
        if (!isQuery && prepared->type != isc_info_sql_stmt_exec_procedure)
            throw DbError::readOnlyViolation(QStringLiteral("attempted update during read-only transaction"));
        runIn(*prepared, isQuery, wantRows, values, Access::OnlyRead);
    } else {
        try {
            runIn(*prepared, isQuery, wantRows, values, prepared->writes ? Access::ReadWrite : Access::ReadOnly);
        } catch (const DbError& error) {
            // A query that writes after all (a row lock, a procedure): nothing was changed, so it
            // runs again in a transaction that may write.
            if (prepared->writes || !error.isReadOnlyViolation())
                throw;
            prepared->writes = true;
            runIn(*prepared, isQuery, wantRows, values, Access::ReadWrite);
        }
    }
    // The values bound are not logged: one of them may be a password.
    qCDebug(lcDb).noquote() << QStringLiteral("%1 ms%2, %3 parameters: %4")
                                   .arg(static_cast<double>(took.nsecsElapsed()) / 1e6, 0, 'f', 3)
                                   .arg(isQuery && wantRows ? QStringLiteral(", %1 rows").arg(result_.rows.size()) : QString())
                                   .arg(values.size())
                                   .arg(loggedSql(lines_.join(u' ')));
    open_ = wantRows;
    row_ = 0;
}

void Statement::runIn(PreparedStatement& prepared, bool isQuery, bool wantRows,
                      const std::vector<const ParamValue*>& values, Access access)
{
    connection_->serverCall([&] { runWatched(prepared, isQuery, wantRows, values, access); });
}

void Statement::runWatched(PreparedStatement& prepared, bool isQuery, bool wantRows,
                           const std::vector<const ParamValue*>& values, Access access)
{
    FbStatus status;
    Work work(*connection_, access);
    IAttachment* attachment = connection_->attachment();
    IStatement* statement = prepared.handle.get();
    InputMessage input(prepared, attachment, work.transaction(), values);
    if (isQuery) {
        FbHandle<IMessageMetadata> output(statement->getOutputMetadata(status.get()));
        status.check();
        FbHandle<IResultSet> cursor(statement->openCursor(status.get(), work.transaction(), input.metadata(),
                                                          input.data(), output.get(), 0));
        status.check();
        DataPacket rows = fetchAll(attachment, work.transaction(), cursor.get(), output.get(), connection_->codec(),
                                   [this] { connection_->answered(); });
        cursor->close(status.get());
        status.check();
        cursor.take();
        if (wantRows)
            result_ = std::move(rows);
    } else {
        // No count of the rows it changed is asked for: through a server that is one more round trip
        // for every statement.
        statement->execute(status.get(), work.transaction(), input.metadata(), input.data(), nullptr, nullptr);
        status.check();
    }
    work.complete();
}

void Statement::next()
{
    if (!eof())
        ++row_;
}

int Statement::fieldIndex(const QString& name) const
{
    const int index = result_.indexOf(name);
    if (index < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(name));
    return index;
}

QVariant Statement::current(int index) const
{
    if (index < 0 || index >= fieldCount())
        throw DbError(QStringLiteral("Field index %1 out of range").arg(index));
    if (eof())
        return {};
    return result_.rows.at(row_).at(index);
}

bool Statement::isNull(const QString& field) const
{
    return current(fieldIndex(field)).isNull();
}
QString Statement::asText(const QString& field) const
{
    return valueToText(current(fieldIndex(field)));
}
qint64 Statement::asInteger(const QString& field) const
{
    return valueToInteger(current(fieldIndex(field)));
}
double Statement::asDouble(const QString& field) const
{
    return valueToDouble(current(fieldIndex(field)));
}
QString Statement::asText(int index) const
{
    return valueToText(current(index));
}
qint64 Statement::asInteger(int index) const
{
    return valueToInteger(current(index));
}
double Statement::asDouble(int index) const
{
    return valueToDouble(current(index));
}

} // namespace db
