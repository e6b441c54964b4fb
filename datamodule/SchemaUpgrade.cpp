#include "DbError.h"
#include "FrmSimpleDataMod.h"
#include "SqlText.h"

#include <exception>

// The suite's other programs expect these tables and columns; this system only keeps them in
// place. Each statement is sent line by line exactly as the suite has always sent it.

namespace {

const QStringList productPlaceTable = {
    QStringLiteral("CREATE TABLE PRODUCT_PLACE ("),
    QStringLiteral("  PRODUCTION_PLACE VARCHAR(50) not null ,"),
    QStringLiteral("  CHG_DATETIME Varchar(20), "),
    QStringLiteral("  CHG_USER Varchar(10), "),
    QStringLiteral("  CHG_HOST Varchar(20), "),
    QStringLiteral("  CR_DATETIME Varchar(20) ,"),
    QStringLiteral("  CR_USER Varchar(10) ,"),
    QStringLiteral("  CR_HOST Varchar(20) ,"),
    QStringLiteral("  WUID Varchar(50) "),
    QStringLiteral(" )"),
};

const QStringList productPlaceIndex = {
    QStringLiteral("CREATE INDEX IX_PROD_PLACE_0 ON PRODUCT_PLACE(PRODUCTION_PLACE) "),
};

const QStringList printLabelBarTable = {
    QStringLiteral("CREATE TABLE PRINTLABELBAR ("),
    QStringLiteral("   OID integer not null, "),
    QStringLiteral("   PRN_YN varchar(1),"),
    QStringLiteral("   TEMPPRODID varchar(20), "),
    QStringLiteral("   PRN_COUNT integer, "),
    QStringLiteral("   V_NAME varchar(100), "),
    QStringLiteral("   V_SCALE varchar(30), "),
    QStringLiteral("   PROD_ID varchar(20), "),
    QStringLiteral("   PROD_BARCODE varchar(20), "),
    QStringLiteral("   SALE_PRICE double precision, "),
    QStringLiteral("   PACK_QTY integer, "),
    QStringLiteral("   PD_ITEMID varchar(10), "),
    QStringLiteral("   REMARK varchar(100), "),
    QStringLiteral("   CR_DATETIME varchar(20),"),
    QStringLiteral("   CHG_DATETIME Varchar(20), "),
    QStringLiteral("   PUT_ID  varchar(10),"),
    QStringLiteral("   UPPER_QTY integer, "),
    QStringLiteral("   SUPP_CORP_ID varchar(20), "),
    QStringLiteral("   SOURCE_TYPE varchar(20), "),
    QStringLiteral("   SOURCE_ID varchar(20), "),
    QStringLiteral("   KEYINTIME varchar(20) "),
    QStringLiteral("   ) "),
};

// The purchase and the sales history share one layout; only the table and the partner columns
// (SUPP_ for suppliers, CUST_ for customers) differ.
QStringList storyTable(const QString& table, const QString& partner)
{
    return {
        QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" ("),
        QStringLiteral("  MASTERBILLID Varchar(20) , "),
        QStringLiteral("  KEYINTIME Varchar(20) ,"),
        QStringLiteral("  TEMPPRODID Varchar(20), "),
        QStringLiteral("  B_PRICE Double precision,"),
        QStringLiteral("  U_DIS Double precision,"),
        QStringLiteral("  V_PRICE Double precision,"),
        QStringLiteral("  MONEY_ID Varchar(10),"),
        QStringLiteral("  MONEY_RATE Double precision,"),
        QStringLiteral("  TAX_FLAG Varchar(1) ,"),
        QStringLiteral("  TAX_KIND Varchar(1) ,"),
        QStringLiteral("  V_GIVE_QTY Double precision,"),
        QStringLiteral("  PD_SERNO Varchar(50) ,"),
        QStringLiteral("  PH_NO Varchar(50) ,"),
        QStringLiteral("  PROD_ID Varchar(20) ,"),
        QStringLiteral("  PROD_BARCODE Varchar(20) ,"),
        QStringLiteral("  UNIT_ID Varchar(10),"),
        QStringLiteral("  SALE_PRICE Double precision,"),
        QStringLiteral("  PACK_QTY Double precision,"),
        QStringLiteral("  QTY Double precision,"),
        QStringLiteral("  GIVE_QTY Double precision,"),
        QStringLiteral("  BILL_DATE Varchar(10),"),
        QStringLiteral("  STOCK_ID Varchar(10),"),
        QStringLiteral("  FLAG Varchar(10),"),
        QStringLiteral("  FLAG_ID Varchar(2),"),
        QStringLiteral("  ") + partner + QStringLiteral("_CORP_ID Varchar(20),"),
        QStringLiteral("  ") + partner + QStringLiteral("_CORP_IDAC Varchar(20),"),
        QStringLiteral("  CHG_DATETIME Varchar(20),"),
        QStringLiteral("  CHG_USER Varchar(10),"),
        QStringLiteral("  CHG_HOST Varchar(20) "),
        QStringLiteral(" )"),
    };
}

// The catalogue holds names in capitals; only a to z are turned, every other character stays.
QString capitals(const QString& name)
{
    QString upper = name;
    for (QChar& c : upper)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    return upper;
}

} // namespace

bool TSimpleDataMod::Search_Table(const QString& sTable)
{
    SQLQuery1.close();
    SQLQuery1.clearText();
    SQLQuery1.addLine(QStringLiteral("SELECT RDB$RELATION_NAME FROM RDB$RELATIONS "));
    SQLQuery1.addLine(QStringLiteral(" WHERE RDB$RELATION_NAME = '") + db::escapeQuotes(capitals(sTable)) + u'\'');
    SQLQuery1.open();
    return !SQLQuery1.isEmpty();
}

// Adds a text column when the catalogue lacks it. Never fails outward: a missing table, a
// missing right or a failing catalogue query only gives false.
bool TSimpleDataMod::EnsureColumn(const QString& table, const QString& column, const QString& width)
{
    try {
        SQLQuery1.close();
        SQLQuery1.clearText();
        SQLQuery1.addLine(QStringLiteral("SELECT * FROM RDB$RELATION_FIELDS "));
        SQLQuery1.addLine(QStringLiteral("WHERE RDB$RELATION_NAME = '") + db::escapeQuotes(capitals(table)) + u'\'');
        SQLQuery1.addLine(QStringLiteral("AND RDB$FIELD_NAME = '") + db::escapeQuotes(capitals(column)) + u'\'');
        SQLQuery1.open();
        if (SQLQuery1.asText(QStringLiteral("RDB$FIELD_NAME")).isEmpty())
            SQLQuery1.execute({QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD ") + column +
                               QStringLiteral(" VARCHAR(") + width + u')'});
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Runs first after every connect, each statement committed on its own. A failing table step
// travels out of the connect; the index is tried only right after its table was created.
// Another workstation connecting to a new database at the same moment may create a table or the
// index first: losing that race counts as "it exists".
void TSimpleDataMod::UpgradeSchema()
{
    const auto createTable = [this](const QString& table, const QStringList& statement) {
        if (Search_Table(table))
            return false;
        try {
            SQLQuery1.execute(statement);
            return true;
        } catch (const db::DbError&) {
            if (!Search_Table(table))
                throw;
            return false;
        }
    };
    if (createTable(QStringLiteral("PRODUCT_PLACE"), productPlaceTable)) {
        try {
            SQLQuery1.execute(productPlaceIndex);
        } catch (const db::DbError&) {
            SQLQuery1.open({QStringLiteral("SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'IX_PROD_PLACE_0' "
                                           "AND RDB$RELATION_NAME = 'PRODUCT_PLACE'")});
            if (SQLQuery1.asInteger(0) == 0)
                throw;
        }
    }
    createTable(QStringLiteral("PRINTLABELBAR"), printLabelBarTable);
    createTable(QStringLiteral("STORY_PURCHASE"), storyTable(QStringLiteral("STORY_PURCHASE"), QStringLiteral("SUPP")));
    createTable(QStringLiteral("STORY_CUSTSALE"), storyTable(QStringLiteral("STORY_CUSTSALE"), QStringLiteral("CUST")));
    EnsureColumn(QStringLiteral("CUSTORDER_DETAIL"), QStringLiteral("PUT_ID"), QStringLiteral("10"));
    EnsureColumn(QStringLiteral("CUSTSALE_DETAIL"), QStringLiteral("PUT_ID"), QStringLiteral("10"));
    EnsureColumn(QStringLiteral("CUSTSALEBK_DETAIL"), QStringLiteral("PUT_ID"), QStringLiteral("10"));
}
