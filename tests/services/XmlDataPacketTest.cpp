#include "PacketReader.h"
#include "XmlDataPacket.h"

#include <gtest/gtest.h>

using db::FieldDef;
using db::FieldType;

TEST(XmlDataPacket, EveryKindOfFieldAndNullsReadBack)
{
    db::DataPacket packet;
    packet.fields = {FieldDef{"NAME", FieldType::Text, 20}, FieldDef{"PRICE", FieldType::Float},
                     FieldDef{"QTY", FieldType::Integer}, FieldDef{"IMAGE", FieldType::Blob}};
    packet.rows = {{QString("<a & \"b\" 'c'>\n紙"), 0.1 + 0.2, qint64(-7), QByteArray("\x01\xff", 2)},
                   {QVariant(), QVariant(), QVariant(), QVariant()},
                   {QString(""), 1e21, qint64(0), QByteArray()}};
    const ReadPacket read = readPacket(writeXmlDataPacket(packet));
    ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
    EXPECT_EQ(read.version, "2.0");
    EXPECT_EQ(read.fields, QStringList({"NAME string 20", "PRICE r8", "QTY i8", "IMAGE bin.hex"}));
    ASSERT_EQ(read.rows.size(), 3);
    EXPECT_EQ(read.rows[0].value("NAME"), "<a & \"b\" 'c'>\n紙");
    EXPECT_EQ(read.rows[0].value("PRICE").toDouble(), 0.1 + 0.2) << "numbers keep every digit";
    EXPECT_EQ(read.rows[0].value("QTY"), "-7");
    EXPECT_EQ(read.rows[0].value("IMAGE"), "01ff");
    EXPECT_TRUE(read.rows[1].isEmpty()) << "a null value has no attribute";
    EXPECT_EQ(read.rows[2].value("NAME", "absent"), "");
    EXPECT_EQ(read.rows[2].value("PRICE"), "1e+21");
}
