#include "Connection.h"
#include "DbError.h"
#include "Statement.h"
#include "TempDatabase.h"

#include <gtest/gtest.h>

using testsupport::TempDatabase;

// The default connection goes to a server on localhost; check that path end to end.
TEST(Server, AttachesThroughLocalhostWithUserAndPassword)
{
    TempDatabase database(false, TempDatabase::Engine::Server);
    ASSERT_TRUE(database.database().startsWith("localhost:"));
    db::Connection connection;
    database.configure(connection);
    db::Statement insert(&connection);
    insert.setLines({"INSERT INTO SUPPLIER(CORP_ID,CORP_NAME) VALUES(:ID,:NAME)"});
    insert.setParamText("ID", "S1");
    insert.setParamText("NAME", "永豐紙業");
    insert.execute();
    EXPECT_EQ(database.scalar("SELECT CORP_NAME FROM SUPPLIER").toString(), "永豐紙業");

    db::Statement who(&connection);
    who.setLines({"SELECT MON$REMOTE_PROTOCOL FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION"});
    who.open();
    EXPECT_FALSE(who.asText(0).isEmpty());

    db::Connection wrong;
    database.configure(wrong);
    wrong.params().setValue("password", "not-the-password");
    db::Statement denied(&wrong);
    denied.setLines({"SELECT 1 FROM RDB$DATABASE"});
    EXPECT_THROW(denied.open(), db::DbError);
}
