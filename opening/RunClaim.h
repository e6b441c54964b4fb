#pragma once

#include "RowLock.h"

#include <QElapsedTimer>
#include <QString>
#include <memory>
#include <stdexcept>

class TSimpleDataMod;
namespace db {
class Connection;
}

namespace opening {

// One opening run at a time per database. The claim is a row lock that the server holds for the
// running connection, on one of the rows 1 and 3 of OPENING_RUN_CLAIM (made on first use); row 2
// tells who holds it and since when, written by the holder once the claim is its own. Claiming
// takes both lock rows, so a second workstation meets a lock at once (no waiting) whichever of
// the two the run holds, and is told who runs. The lock ends with the claim, or with the
// connection when the program dies: nothing is ever left to clean up by hand.
class RunClaim {
public:
    // Takes the claim for this workstation; throws ClaimHeld when another connection holds it.
    explicit RunClaim(TSimpleDataMod& dm);
    ~RunClaim();
    RunClaim(const RunClaim&) = delete;
    RunClaim& operator=(const RunClaim&) = delete;

    // Hands the claim from one lock row to the other, at most every fifth of a second: held in
    // one transaction for the whole run, it would keep the server from clearing the old versions
    // of the rows the run updates again and again (the day's counter), and every bill would
    // take longer than the one before.
    void keepFresh();

private:
    db::Connection& connection_;
    int heldRow_;
    std::unique_ptr<db::RowLock> lock_;
    QElapsedTimer held_;
};

class ClaimHeld : public std::runtime_error {
public:
    ClaimHeld(const QString& host, const QString& since);
    const QString host;
    const QString since;
};

} // namespace opening
