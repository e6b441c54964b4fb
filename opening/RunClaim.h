#pragma once

#include "RowLock.h"

#include <QString>
#include <memory>
#include <stdexcept>

class TSimpleDataMod;

namespace opening {

// One opening run at a time per database. The claim is a row lock that the server holds for the
// running connection, on row 1 of OPENING_RUN_CLAIM (made on first use); row 2 tells who holds it
// and since when, written by the holder once the lock is its own. A second workstation meets the
// lock at once (no waiting) and is told who runs. The lock ends with the claim, or with the
// connection when the program dies: nothing is ever left to clean up by hand.
class RunClaim {
public:
    // Takes the claim for this workstation; throws ClaimHeld when another connection holds it.
    explicit RunClaim(TSimpleDataMod& dm);
    ~RunClaim();
    RunClaim(const RunClaim&) = delete;
    RunClaim& operator=(const RunClaim&) = delete;

private:
    std::unique_ptr<db::RowLock> lock_;
};

class ClaimHeld : public std::runtime_error {
public:
    ClaimHeld(const QString& host, const QString& since);
    const QString host;
    const QString since;
};

} // namespace opening
