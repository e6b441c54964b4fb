#pragma once

#include "FbHandle.h"

#include <firebird/Interface.h>
#include <QHash>
#include <QString>
#include <list>
#include <memory>
#include <utility>
#include <vector>

namespace db {

// The layout of an input message for values of certain kinds and text sizes (its shape): where
// each value and its null indicator go. Building one asks the engine about every parameter, and
// a run sends the same statement with values of the same shape again and again.
struct InputLayout {
    std::vector<unsigned> shape;
    FbHandle<Firebird::IMessageMetadata> metadata;
    std::vector<std::pair<unsigned, unsigned>> offsets;  // value, null indicator
    unsigned length = 0;
};

// A statement prepared on the attachment, with what running it has taught about it.
struct PreparedStatement {
    FbHandle<Firebird::IStatement> handle;
    QString sql;              // as prepared
    quint64 attachment = 0;   // the connect it was prepared on
    unsigned type = 0;    // isc_info_sql_stmt_...
    bool writes = false;  // not a plain query, or a query found to write
    std::list<InputLayout> inputLayouts;  // the few last used, most recent first
};

// The statements an attachment has prepared, by their text: a text sent again runs without being
// prepared again, whichever statement object sends it. Holds the most recently used ones; a run
// that is under way keeps its own share of the statement it uses.
class PreparedStatements {
public:
    explicit PreparedStatements(qsizetype capacity = 64) : capacity_(capacity) {}

    std::shared_ptr<PreparedStatement> find(const QString& sql);
    void add(const QString& sql, std::shared_ptr<PreparedStatement> statement);
    // Every statement let go: before the attachment ends, and before the metadata changes (a
    // prepared statement holds the tables it uses).
    void clear();
    qsizetype size() const { return byText_.size(); }

private:
    using Entry = std::pair<QString, std::shared_ptr<PreparedStatement>>;
    qsizetype capacity_;
    std::list<Entry> recent_;  // most recently used first
    QHash<QString, std::list<Entry>::iterator> byText_;
};

} // namespace db
