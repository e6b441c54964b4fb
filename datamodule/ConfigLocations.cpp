#include "ConfigLocations.h"
#include "Text.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kFile = QStringLiteral("/suppbeforestart/dbconfig.txt");

// The user's folder first, then the system's.
QStringList configFolderCandidates()
{
    QStringList candidates;
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        candidates << QDir::toNativeSeparators(folder + kFile);
    return candidates;
}

} // namespace

bool installedProgram(const QString& executableFolder)
{
    const QString folder = QFileInfo(executableFolder).canonicalFilePath();
    if (folder.isEmpty())
        return false;
    for (const QString& programs : {QStringLiteral(SUPPBEFORESTART_INSTALL_BINDIR), QStringLiteral("/usr/bin"),
                                    QStringLiteral("/usr/local/bin")})
        if (QFileInfo(programs).canonicalFilePath() == folder)
            return true;
    QDir prefix(folder);
    return prefix.dirName() == QStringLiteral("bin") && prefix.cdUp() &&
           QFileInfo::exists(prefix.filePath(QStringLiteral("share/applications/" SUPPBEFORESTART_APP_ID ".desktop")));
}

QStringList dbConfigCandidates(const QString& executableFolder)
{
    QStringList candidates = configFolderCandidates();
    if (!installedProgram(executableFolder))
        candidates.prepend(
            QDir::toNativeSeparators(QDir(executableFolder).absolutePath() + QStringLiteral("/dbconfig.txt")));
    return candidates;
}

QString shownPath(const QString& path)
{
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    if (!home.isEmpty() && path.startsWith(home + QDir::separator()))
        return u'~' + path.mid(home.size());
    return path;
}

QString missingConfigText()
{
    QStringList places;
    for (const QString& candidate : configFolderCandidates())
        places << shownPath(candidate);
    return Text::tr("找不到連線設定檔 dbconfig.txt，無法連線。請將它放在 %1（個人使用）或 %2（本機所有使用者）。")
        .arg(places.value(0), places.mid(1).join(QStringLiteral("、")));
}
