#include "XmlDataPacket.h"

#include <QLocale>
#include <QXmlStreamWriter>

namespace {

QString fieldTypeName(db::FieldType type)
{
    switch (type) {
    case db::FieldType::Text:
        return QStringLiteral("string");
    case db::FieldType::Float:
        return QStringLiteral("r8");
    case db::FieldType::Integer:
        return QStringLiteral("i8");
    case db::FieldType::Blob:
        return QStringLiteral("bin.hex");
    }
    return {};
}

QString attributeValue(const QVariant& value, db::FieldType type)
{
    switch (type) {
    case db::FieldType::Text:
        return db::valueToText(value);
    case db::FieldType::Float:
        return QLocale::c().toString(db::valueToDouble(value), 'g', QLocale::FloatingPointShortest);
    case db::FieldType::Integer:
        return QString::number(db::valueToInteger(value));
    case db::FieldType::Blob:
        return QString::fromLatin1(value.toByteArray().toHex());
    }
    return {};
}

} // namespace

QString writeXmlDataPacket(const db::DataPacket& packet)
{
    QString xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("DATAPACKET"));
    writer.writeAttribute(QStringLiteral("Version"), QStringLiteral("2.0"));

    writer.writeStartElement(QStringLiteral("METADATA"));
    writer.writeStartElement(QStringLiteral("FIELDS"));
    for (const db::FieldDef& field : packet.fields) {
        writer.writeEmptyElement(QStringLiteral("FIELD"));
        writer.writeAttribute(QStringLiteral("attrname"), field.name);
        writer.writeAttribute(QStringLiteral("fieldtype"), fieldTypeName(field.type));
        if (field.type == db::FieldType::Text)
            writer.writeAttribute(QStringLiteral("WIDTH"), QString::number(field.size));
    }
    writer.writeEndElement(); // FIELDS
    writer.writeEndElement(); // METADATA

    writer.writeStartElement(QStringLiteral("ROWDATA"));
    for (const auto& row : packet.rows) {
        writer.writeEmptyElement(QStringLiteral("ROW"));
        for (int i = 0; i < packet.fields.size(); ++i) {
            const QVariant& value = row.at(i);
            if (value.isValid() && !value.isNull())
                writer.writeAttribute(packet.fields.at(i).name, attributeValue(value, packet.fields.at(i).type));
        }
    }
    writer.writeEndElement(); // ROWDATA
    writer.writeEndElement(); // DATAPACKET
    writer.writeEndDocument();
    return xml;
}
