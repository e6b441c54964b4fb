#include "ConfigLocations.h"

#include <QDir>
#include <QStandardPaths>

QStringList dbConfigCandidates(const QString& executableFolder)
{
    QStringList candidates{QDir::toNativeSeparators(QDir(executableFolder).absolutePath() +
                                                    QStringLiteral("/dbconfig.txt"))};
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        candidates << QDir::toNativeSeparators(folder + QStringLiteral("/suppbeforestart/dbconfig.txt"));
    return candidates;
}
