#pragma once

#include <QString>

namespace db {
class ParamList;
}

// The values of the names this system knows in a parameter list read from dbconfig.txt, checked
// before the list is used: sqldialect 1 to 3, isolationlevel ReadCommitted, RepeatableRead or
// Snapshot, the flags True or False, locktimeout and calltimeout a number of seconds,
// servercharset one texts can travel in, user_name, rolename and password of a length the client
// can send. Names the system does not know are left as they are, for the driver. Throws
// db::ConfigError naming the file, the line and the name at the first value that is none of them.
void checkConfig(const db::ParamList& params);

// A warning naming the file when the list holds a password and the file can be read by users
// other than its owner (its group or everyone); empty otherwise.
QString passwordExposure(const QString& file, const db::ParamList& params);
