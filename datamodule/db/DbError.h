#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

namespace db {

// A failure of the database or of the data-access layer. The message is the server's own text
// (or the layer's), so it can be shown to the operator as it stands.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, std::vector<long> errorCodes = {});

    QString message() const { return QString::fromUtf8(what()); }
    const std::vector<long>& errorCodes() const { return codes_; }
    // A record-level conflict with another transaction; the whole transaction may be retried.
    bool isUpdateConflict() const;
    // A write attempted in a read-only transaction.
    bool isReadOnlyViolation() const;
    // The same refused before it reached the server, for a statement that may only read.
    static DbError readOnlyViolation(const QString& message);
    // Waiting for another transaction's lock took longer than the connection allows.
    bool isLockTimeout() const;
    // The connection to the server broke off, or was ended because the server stopped answering.
    bool isConnectionLost() const;
    // The codes of a failure, with that of a lost connection among them.
    static std::vector<long> lostConnectionCodes(std::vector<long> codes);

private:
    std::vector<long> codes_;
};

// A fault of the connection's configuration (dbconfig.txt) rather than of the database: no
// database named, a value no connection can be made with. The command line answers it with its
// own exit code.
class ConfigError : public DbError {
public:
    using DbError::DbError;
};

} // namespace db
