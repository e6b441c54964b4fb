#pragma once

#include <QString>
#include <QStringList>

// Where dbconfig.txt is looked for, first found first. A program run from where it was built
// (or copied, as the suite keeps it) looks beside itself first; an installed one only in the
// user's configuration folder and the system's (on Linux $XDG_CONFIG_HOME/suppbeforestart and
// /etc/xdg/suppbeforestart), since a program folder such as /usr/bin holds no configuration.
QStringList dbConfigCandidates(const QString& executableFolder);

// Whether the program in this folder was installed: the folder is the system's or the build's
// install folder for programs, or a "bin" folder whose prefix holds the program's menu entry.
bool installedProgram(const QString& executableFolder);

// A place for the operator to read: the home folder as "~".
QString shownPath(const QString& path);

// What an installed program without a dbconfig.txt tells the operator: where to put one.
QString missingConfigText();
