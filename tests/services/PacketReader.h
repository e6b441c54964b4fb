#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// An XML data packet read back for checking: its fields and its rows' attributes.
struct ReadPacket {
    QString version;
    QStringList fields;  // "NAME type" or "NAME string WIDTH"
    QVector<QMap<QString, QString>> rows;
    QString error;       // the parser's complaint, empty when well-formed
};

ReadPacket readPacket(const QString& xml);
