#pragma once

#include "DataPacket.h"
#include "PreparedStatements.h"

#include <firebird/Interface.h>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <variant>
#include <vector>

namespace db {

class Connection;
enum class Access;

// A parameter's value: not yet set, null, text, integer, floating point or a block of bytes.
using ParamValue = std::variant<std::monostate, std::nullptr_t, QString, qint64, double, QByteArray>;

// One SQL text, held as a list of lines and sent joined with line breaks, with named parameters
// written ":NAME". Opening a query reads all its rows at once and stands on the first.
class Statement {
public:
    explicit Statement(Connection* connection = nullptr) : connection_(connection) {}
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void setConnection(Connection* connection);
    Connection* connection() const { return connection_; }

    // Every change of text rebuilds the parameter list from the text's markers.
    void clearText();
    void addLine(const QString& line);
    void setLines(const QStringList& lines);
    const QStringList& lines() const { return lines_; }
    QString text() const { return lines_.join(u'\n'); }

    // What the statement is about to run, its text and parameter values, to be put back after
    // something else has used the statement in between.
    struct Contents {
        QStringList lines;
        std::vector<ParamValue> values;
    };
    Contents contents() const { return {lines_, paramValues_}; }
    void restore(const Contents& contents);

    int paramCount() const { return static_cast<int>(paramNames_.size()); }
    QString paramName(int index) const { return paramNames_.at(index); }
    void setParamText(const QString& name, const QString& value);
    void setParamInteger(const QString& name, qint64 value);
    void setParamDouble(const QString& name, double value);
    void setParamNull(const QString& name);
    void setParamBlob(const QString& name, const QByteArray& value);
    // The position of a named parameter, found as the setters above find it; throws when the text
    // has none. A statement run many times can bind by position, found once.
    int paramIndex(const QString& name) const;
    void setParam(int index, ParamValue value);

    void open();
    void execute();
    // Replaces the text and runs it, for a statement without parameters.
    void open(const QStringList& lines)
    {
        setLines(lines);
        open();
    }
    void execute(const QStringList& lines)
    {
        setLines(lines);
        execute();
    }
    void close();
    bool isOpen() const { return open_; }
    // A statement that may only read: it runs in the connection's read-only transaction, even
    // while another transaction is active, and a text that would change anything (an insert, a
    // procedure that writes, a definition, a transaction statement) fails with a DbError whose
    // isReadOnlyViolation() is true, having changed nothing.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    bool isEmpty() const { return result_.rows.isEmpty(); }
    bool eof() const { return row_ >= result_.rows.size(); }
    void first() { row_ = 0; }
    void next();
    int fieldCount() const { return static_cast<int>(result_.fields.size()); }
    QString fieldName(int index) const { return result_.fields.at(index).name; }
    const DataPacket& result() const { return result_; }

    // The current row's column, by name or by position. Null, and every column of a query
    // without rows, reads as "", 0 and 0.0.
    bool isNull(const QString& field) const;
    QString asText(const QString& field) const;
    qint64 asInteger(const QString& field) const;
    double asDouble(const QString& field) const;
    QString asText(int index) const;
    qint64 asInteger(int index) const;
    double asDouble(int index) const;

private:
    void textChanged();
    ParamValue& param(const QString& name);
    QVariant current(int index) const;
    int fieldIndex(const QString& name) const;
    void run(bool wantRows);
    void runIn(PreparedStatement& prepared, bool isQuery, bool wantRows, const std::vector<const ParamValue*>& values,
               Access access);
    void runWatched(PreparedStatement& prepared, bool isQuery, bool wantRows,
                    const std::vector<const ParamValue*>& values, Access access);

    Connection* connection_ = nullptr;
    QStringList lines_;
    QStringList paramNames_;
    QHash<QString, int> paramPositions_;  // by the names as the text spells them
    std::vector<ParamValue> paramValues_;
    std::vector<int> markerNames_;
    QString positionalSql_;

    std::shared_ptr<PreparedStatement> prepared_;  // kept only outside a StatementReuse

    bool open_ = false;
    bool readOnly_ = false;
    DataPacket result_;
    qsizetype row_ = 0;
};

} // namespace db
