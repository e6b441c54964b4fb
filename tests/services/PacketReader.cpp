#include "PacketReader.h"

#include <QXmlStreamReader>

ReadPacket readPacket(const QString& xml)
{
    ReadPacket packet;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = reader.attributes();
        if (reader.name() == u"DATAPACKET") {
            packet.version = attributes.value("Version").toString();
        } else if (reader.name() == u"FIELD") {
            QString field = attributes.value("attrname").toString() + u' ' + attributes.value("fieldtype").toString();
            if (attributes.hasAttribute("WIDTH"))
                field += u' ' + attributes.value("WIDTH").toString();
            packet.fields << field;
        } else if (reader.name() == u"ROW") {
            QMap<QString, QString> row;
            for (const auto& attribute : attributes)
                row.insert(attribute.name().toString(), attribute.value().toString());
            packet.rows << row;
        }
    }
    if (reader.hasError())
        packet.error = reader.errorString();
    return packet;
}
