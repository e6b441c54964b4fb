#include "DbLog.h"
#include "SqlText.h"

#include <gtest/gtest.h>

using db::parseSql;

TEST(SqlText, MarkersInOrderOfFirstAppearanceEachNameOnce)
{
    const auto parsed = parseSql("INSERT INTO T(A,B,C) VALUES(:B_ID,:a,:b_id)");
    EXPECT_EQ(parsed.names, (QStringList{"B_ID", "a"}));
    EXPECT_EQ(parsed.markerNames, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(parsed.positional, "INSERT INTO T(A,B,C) VALUES(?,?,?)");
}

TEST(SqlText, ColonsInLiteralsCommentsAndQuotedNamesAreNotMarkers)
{
    const auto parsed = parseSql("SELECT '12:30', 'it''s :X', \":Y\" FROM T -- :Z\n"
                                 "/* :W */ WHERE A = :REAL AND B = '::'");
    EXPECT_EQ(parsed.names, QStringList{"REAL"});
    EXPECT_EQ(parsed.positional, "SELECT '12:30', 'it''s :X', \":Y\" FROM T -- :Z\n"
                                 "/* :W */ WHERE A = ? AND B = '::'");
}

TEST(SqlText, InABlockOnlyItsInputParametersAreMarkers)
{
    // The body's ":NAME" are the block's own variables; a parenthesis in a type or a literal
    // does not end the parameter list.
    const auto parsed = parseSql("execute block (A VARCHAR(5) = :A, B TYPE OF COLUMN T.B = :B_IN, C INTEGER = ')')\n"
                                 "AS DECLARE N INTEGER; BEGIN INSERT INTO T(A,B) VALUES (:A, :B_IN); N = :A; END");
    EXPECT_EQ(parsed.names, (QStringList{"A", "B_IN"}));
    EXPECT_EQ(parsed.positional, "execute block (A VARCHAR(5) = ?, B TYPE OF COLUMN T.B = ?, C INTEGER = ')')\n"
                                 "AS DECLARE N INTEGER; BEGIN INSERT INTO T(A,B) VALUES (:A, :B_IN); N = :A; END");
    const QString withoutParameters = "EXECUTE BLOCK AS BEGIN UPDATE T SET A = :X; END";
    EXPECT_TRUE(parseSql(withoutParameters).names.isEmpty());
    EXPECT_EQ(parseSql(withoutParameters).positional, withoutParameters);
}

TEST(SqlText, SplicedValuesKeepTheirQuotesAndNamesMustBeIdentifiers)
{
    EXPECT_EQ(db::escapeQuotes("O'Brien's"), "O''Brien''s");
    EXPECT_EQ(db::escapeQuotes("S001"), "S001");
    EXPECT_TRUE(db::isIdentifier("PURCHASE_NUM"));
    EXPECT_TRUE(db::isIdentifier("p_run$1"));
    EXPECT_FALSE(db::isIdentifier(""));
    EXPECT_FALSE(db::isIdentifier("1ABC"));
    EXPECT_FALSE(db::isIdentifier("T; DROP TABLE X"));
    EXPECT_FALSE(db::isIdentifier("A B"));
    EXPECT_FALSE(db::isIdentifier("表"));
}

TEST(LoggedSql, MasksEveryPasswordLiteralAndLeavesTheRest)
{
    EXPECT_EQ(db::loggedSql("create or alter user CLERK password 'it''s secret' grant admin role;\n"
                            "ALTER USER B PASSWORD\"x\" FIRSTNAME 'Bo'"),
              "create or alter user CLERK password '***' grant admin role;\nALTER USER B PASSWORD'***' FIRSTNAME 'Bo'");
    EXPECT_EQ(db::loggedSql("SELECT PASSWORD_HINT FROM T WHERE A = 'password'"),
              "SELECT PASSWORD_HINT FROM T WHERE A = 'password'");
}
