#include "Connection.h"
#include "PacketRows.h"
#include "Statement.h"
#include "TempDatabase.h"

#include <QDate>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {
// The same value of the same type: QVariant's own == lets qint64 1 equal int 1 and a null
// QString equal an empty one.
void expectSame(const QVariant& read, const QVariant& expected, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(read.typeId(), expected.typeId());
    EXPECT_EQ(read, expected);
    if (expected.typeId() == QMetaType::QString) {
        EXPECT_EQ(read.toString().isNull(), expected.toString().isNull());
    }
    if (expected.typeId() == QMetaType::QByteArray) {
        EXPECT_EQ(read.toByteArray().isNull(), expected.toByteArray().isNull());
    }
}
} // namespace

TEST(PacketRowsTest, EveryKindReadsBackAsItWasAndCellsChangeInPlace)
{
    // Every kind of cell a query yields, as the rows hold it after the fetch.
    testsupport::TempDatabase database;
    db::Connection connection;
    database.configure(connection);
    db::Statement query(&connection);
    query.open({"SELECT CAST('廠商甲 股份有限公司' AS VARCHAR(20)), CAST(NULL AS VARCHAR(5)), CAST('ab' AS CHAR(4)),"
                " CAST('' AS VARCHAR(3)), CAST(-7 AS BIGINT), CAST(12.5 AS NUMERIC(9,2)), CAST(0.1 AS DOUBLE PRECISION),"
                " CAST('2026-12-31' AS DATE), CAST('2026-12-31 12:30:05.25' AS TIMESTAMP), TRUE,"
                " CAST(x'01FF' AS VARCHAR(2) CHARACTER SET OCTETS), CAST('長文' AS BLOB SUB_TYPE TEXT)"
                " FROM RDB$DATABASE"});
    const QVector<QVariant> fetched{QString("廠商甲 股份有限公司"), QVariant(), QString("ab  "), QString(""),
                                    QVariant::fromValue(qint64(-7)), 12.5, 0.1, QString("2026-12-31"),
                                    QString("2026-12-31 12:30:05.250"), QVariant::fromValue(qint64(1)),
                                    QByteArray("\x01\xff", 2), QString("長文")};
    ASSERT_EQ(query.result().rows.size(), 1);
    const db::PacketRows::Row row = query.result().rows.at(0);
    ASSERT_EQ(row.size(), fetched.size());
    for (qsizetype i = 0; i < fetched.size(); ++i)
        expectSame(row.at(i), fetched.at(i), qPrintable(QString("fetched column %1").arg(i)));

    // Values put in directly, including those no query yields, kept exactly.
    const QVector<QVariant> direct{QString(), QString(QChar(0xD800)), QByteArray(), QByteArray(""),
                                   QVariant::fromValue(std::numeric_limits<qint64>::min()), -0.0, 42,
                                   QDate(2026, 12, 31), QString(300, QChar(u'字'))};
    db::PacketRows rows{fetched, direct};
    rows << QVector<QVariant>{QString("S3"), QVariant(), 3.5};
    ASSERT_EQ(rows.size(), 3);
    for (qsizetype i = 0; i < direct.size(); ++i)
        expectSame(rows.at(1).at(i), direct.at(i), qPrintable(QString("direct column %1").arg(i)));
    EXPECT_TRUE(std::signbit(rows.at(1).at(5).toDouble()));
    int walked = 0;
    for (const db::PacketRows::Row each : rows)
        EXPECT_EQ(each.size(), (QVector<qsizetype>{12, 9, 3}).at(walked++));
    EXPECT_EQ(walked, 3);
    EXPECT_EQ(rows.toVectors(), (QVector<QVector<QVariant>>{fetched, direct, {QString("S3"), QVariant(), 3.5}}));

    // Cells in the middle of the middle row: the rest of that row and the other rows stay.
    const db::PacketRows before = rows;
    rows[1][3] = QString("新的內容，比原來長得多的一段文字");
    rows[1][6] = QVariant();
    QVector<QVariant> changed = direct;
    changed[3] = QString("新的內容，比原來長得多的一段文字");
    changed[6] = QVariant();
    for (qsizetype i = 0; i < changed.size(); ++i)
        expectSame(rows.at(1).at(i), changed.at(i), qPrintable(QString("edited column %1").arg(i)));
    EXPECT_EQ(rows.at(0).toVector(), fetched);
    EXPECT_EQ(rows.at(2).toVector(), (QVector<QVariant>{QString("S3"), QVariant(), 3.5}));
    EXPECT_EQ(before.at(1).toVector(), direct) << "a copy keeps the rows it had";

    // The last row, filled in cell by cell as a record set does after append, takes no more room
    // however often it changes, and rows still append after it.
    rows.squeeze();
    rows << QVector<QVariant>(3);
    rows.setCell(3, 0, QDate(2026, 1, 1));
    rows.setCell(3, 2, QVariant(0));
    const qsizetype used = rows.memoryUsed();
    for (int i = 1; i < 100; ++i) {
        rows.setCell(3, 1, QVariant::fromValue(qint64(i)));
        rows.setCell(3, 2, QVariant(i));
    }
    EXPECT_EQ(rows.memoryUsed(), used);
    rows.setCell(3, 0, QString("S4"));  // a value kept whole before another one of the row
    rows << QVector<QVariant>{QString("S5")};
    ASSERT_EQ(rows.size(), 5);
    expectSame(rows.at(3).at(0), QString("S4"), "last row edited");
    expectSame(rows.at(3).at(1), QVariant::fromValue(qint64(99)), "last row edited");
    expectSame(rows.at(3).at(2), QVariant(99), "last row edited");
    expectSame(rows.at(4).at(0), QString("S5"), "appended after edits");
    expectSame(rows.at(1).at(3), changed.at(3), "an earlier edit");

    rows.clear();
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_TRUE(rows.begin() == rows.end());
}
