#include "FbStatus.h"

#include "DbError.h"

#include <array>

namespace db {

namespace {
constexpr long kDeadlock = 335544336;          // isc_deadlock
constexpr long kUpdateConflict = 335544451;    // isc_update_conflict
constexpr long kLockConflict = 335544345;      // isc_lock_conflict
constexpr long kReadOnlyTransaction = 335544361; // isc_read_only_trans
constexpr long kLockTimeout = 335544878;         // isc_lock_timeout
constexpr long kConnectionLost[] = {335544721,   // isc_network_error
                                    335544726,   // isc_net_read_err
                                    335544727,   // isc_net_write_err
                                    335544741,   // isc_lost_db_connection
                                    335544856,   // isc_att_shutdown
                                    335544528};  // isc_shutdown
} // namespace

DbError::DbError(const QString& message, std::vector<long> errorCodes)
    : std::runtime_error(message.toStdString()), codes_(std::move(errorCodes))
{
}

bool DbError::isUpdateConflict() const
{
    for (long code : codes_)
        if (code == kDeadlock || code == kUpdateConflict || code == kLockConflict)
            return true;
    return false;
}

bool DbError::isLockTimeout() const
{
    for (long code : codes_)
        if (code == kLockTimeout)
            return true;
    return false;
}

bool DbError::isConnectionLost() const
{
    for (long code : codes_)
        for (long lost : kConnectionLost)
            if (code == lost)
                return true;
    return false;
}

std::vector<long> DbError::lostConnectionCodes(std::vector<long> codes)
{
    codes.push_back(kConnectionLost[0]);
    return codes;
}

DbError DbError::readOnlyViolation(const QString& message)
{
    return DbError(message, {kReadOnlyTransaction});
}

bool DbError::isReadOnlyViolation() const
{
    for (long code : codes_)
        if (code == kReadOnlyTransaction)
            return true;
    return false;
}

Firebird::IMaster* fbMaster()
{
    static Firebird::IMaster* master = Firebird::fb_get_master_interface();
    return master;
}

Firebird::IUtil* fbUtil()
{
    return fbMaster()->getUtilInterface();
}

FbStatus::FbStatus() : status_(fbMaster()->getStatus()), wrapper_(status_) {}

FbStatus::~FbStatus()
{
    status_->dispose();
}

bool FbStatus::failed() const
{
    return (wrapper_.getState() & Firebird::IStatus::STATE_ERRORS) != 0;
}

void FbStatus::check()
{
    if (!failed())
        return;
    std::array<char, 2048> text{};
    fbUtil()->formatStatus(text.data(), static_cast<unsigned>(text.size()), &wrapper_);
    std::vector<long> codes;
    const intptr_t* vector = wrapper_.getErrors();
    for (int i = 0; vector[i] != isc_arg_end;) {
        const intptr_t kind = vector[i];
        if (kind == isc_arg_gds)
            codes.push_back(static_cast<long>(vector[i + 1]));
        i += (kind == isc_arg_cstring) ? 3 : 2;
    }
    wrapper_.init();
    throw DbError(QString::fromUtf8(text.data()).trimmed(), std::move(codes));
}

} // namespace db
