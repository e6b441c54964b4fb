#pragma once

#include <QString>

class QSaveFile;

// Where a report (CSV or PDF) may be written. It holds the business's balances, so it is made
// readable by its owner only, and it never lands on something it was not meant for.
namespace opening {

// Why no report may be written at the path, empty when one may: a symbolic link is not followed
// (a dangling one would create its target elsewhere), anything but a regular file (a device, a
// folder, a pipe) is never replaced, and an existing file only when `replaceExisting`.
QString reportRefusal(const QString& path, bool replaceExisting);

// Opens the save of a file, written aside and renamed into place on commit, readable and
// writable by its owner only whatever the umask.
bool openOwnerOnly(QSaveFile& file);

} // namespace opening
