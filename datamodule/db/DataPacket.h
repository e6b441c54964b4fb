#pragma once

#include "PacketRows.h"
#include "Value.h"

#include <QVector>

namespace db {

// The whole content of a query result or record set as one value: its column definitions and
// its rows, each row one value per column in column order (null as an invalid QVariant).
struct DataPacket {
    QVector<FieldDef> fields;
    PacketRows rows;

    // Position of the column with that name (letter case ignored), or -1.
    int indexOf(const QString& name) const
    {
        // Names are nearly always asked for as the database spells them: that look-up is a plain
        // comparison, where ignoring case would cost many times more on every field access.
        for (int i = 0; i < fields.size(); ++i)
            if (fields.at(i).name == name)
                return i;
        for (int i = 0; i < fields.size(); ++i)
            if (fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
};

} // namespace db
