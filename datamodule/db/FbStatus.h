#pragma once

#include <firebird/Interface.h>

namespace db {

Firebird::IMaster* fbMaster();
Firebird::IUtil* fbUtil();

// A status vector for one or more calls into the Firebird interface. check() is the one place
// where a Firebird status becomes an exception.
class FbStatus {
public:
    FbStatus();
    ~FbStatus();
    FbStatus(const FbStatus&) = delete;
    FbStatus& operator=(const FbStatus&) = delete;

    Firebird::CheckStatusWrapper* get() { return &wrapper_; }
    bool failed() const;
    // Throws DbError with the server's message text when the last call failed.
    void check();

private:
    Firebird::IStatus* status_;
    Firebird::CheckStatusWrapper wrapper_;
};

} // namespace db
