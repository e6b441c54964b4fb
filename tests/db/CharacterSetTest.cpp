// Texts travel exactly in the connection's character set, the one "servercharset" names: as a
// literal inside a statement and as a parameter, into columns of that set and of UTF8.
#include "Connection.h"
#include "DbError.h"
#include "Statement.h"
#include "TempDatabase.h"

#include <gtest/gtest.h>

using testsupport::TempDatabase;

TEST(CharacterSets, TextTravelsExactlyWhateverTheConnectionsCharacterSet)
{
    TempDatabase database;
    database.exec("CREATE TABLE TEXTS (CS VARCHAR(30), U VARCHAR(40) CHARACTER SET UTF8, "
                  "B VARCHAR(40) CHARACTER SET BIG_5, W VARCHAR(40) CHARACTER SET WIN1252, D VARCHAR(40))");
    const QString chinese = "期初帳款 大同五金行";
    const QString accented = "Café Müller ÀÉÎõü";
    struct Case {
        QString charset;
        QString column;  // beside U: a column of the connection's own set (D: the database's, UTF8)
        QString text;
    };
    const Case cases[] = {{"UTF8", "D", chinese + accented}, {"BIG_5", "B", chinese},
                          {"WIN1252", "W", accented},       {"ISO8859_1", "W", accented},
                          {"NONE", "D", chinese + accented}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.charset.toStdString());
        db::Connection connection;
        database.configure(connection);
        connection.params().setValue("servercharset", c.charset);
        db::Statement statement(&connection);
        statement.execute({QString("INSERT INTO TEXTS (CS, U, %1) VALUES ('%2 literal', '%3', '%3')")
                               .arg(c.column, c.charset, c.text)});
        statement.setLines({QString("INSERT INTO TEXTS (CS, U, %1) VALUES (:CS, :T, :T)").arg(c.column)});
        statement.setParamText("CS", c.charset + " parameter");
        statement.setParamText("T", c.text);
        statement.execute();

        statement.open({QString("SELECT U, %1 FROM TEXTS WHERE CS STARTING WITH '%2 '").arg(c.column, c.charset)});
        ASSERT_EQ(statement.result().rows.size(), 2);
        for (const auto& row : statement.result().rows)
            EXPECT_EQ(row, (QVector<QVariant>{c.text, c.text}));
        // Stored right, as a UTF8 connection reads it.
        EXPECT_EQ(database.rows(QString("SELECT DISTINCT U FROM TEXTS WHERE CS STARTING WITH '%1 '").arg(c.charset)),
                  QVector<QVector<QVariant>>({{c.text}}));
    }

    db::Connection unknown;
    database.configure(unknown);
    unknown.params().setValue("servercharset", "KLINGON");
    EXPECT_THROW(unknown.open(), db::DbError);
}
