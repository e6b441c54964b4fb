#pragma once

#include <QString>
#include <QStringList>

// Where dbconfig.txt is looked for, first found first: beside the executable (where the suite
// keeps it), then the user's configuration folder and the system's (on Linux
// $XDG_CONFIG_HOME/suppbeforestart and /etc/xdg/suppbeforestart), so that an installed program
// finds its configuration too.
QStringList dbConfigCandidates(const QString& executableFolder);
