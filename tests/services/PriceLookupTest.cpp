#include "PacketReader.h"
#include "ServiceModule.h"

#include <gtest/gtest.h>

namespace {

// Products: P1 (second code C1, barcode B1) with costs 10/0, P2 with costs 20/12.5, P3 without
// a PRODUCT2 row. Defined prices of P1: 99 for condition 1, null for condition 2.
void addProducts(testsupport::TempDatabase& db)
{
    db.exec("INSERT INTO PRODUCT (PROD_ID, PROD_ID2, PROD_BARCODE) VALUES ('P1', 'C1', 'B1')");
    db.exec("INSERT INTO PRODUCT (PROD_ID) VALUES ('P2')");
    db.exec("INSERT INTO PRODUCT (PROD_ID) VALUES ('P3')");
    db.exec("INSERT INTO PRODUCT2 VALUES ('P1', 10, 0)");
    db.exec("INSERT INTO PRODUCT2 VALUES ('P2', 20, 12.5)");
    db.exec("INSERT INTO PROD_PRICE VALUES ('P1', 1, 99)");
    db.exec("INSERT INTO PROD_PRICE VALUES ('P1', 2, NULL)");
}

QMap<QString, QString> row(const QString& xml)
{
    const ReadPacket packet = readPacket(xml);
    EXPECT_TRUE(packet.error.isEmpty()) << packet.error.toStdString();
    EXPECT_EQ(packet.version, "2.0");
    EXPECT_EQ(packet.rows.size(), 1);
    return packet.rows.value(0);
}

} // namespace

TEST(PriceLookup, PurchaseAndCostPricesByPriceCondition)
{
    ServiceModule s;
    addProducts(s.database);
    TSimpleDataMod& m = s.module;

    const QString in = m.GetInPrice("S1", "P1", 0);
    EXPECT_EQ(readPacket(in).fields,
              QStringList({"TEMPPRODID string 20", "SUPP_CORP_ID string 20", "B_PRICE r8", "U_DIS r8"}));
    EXPECT_EQ(row(in), (QMap<QString, QString>{{"TEMPPRODID", "P1"}, {"SUPP_CORP_ID", "S1"}, {"B_PRICE", "10"},
                                               {"U_DIS", "100"}}));
    EXPECT_EQ(s.log.last(), "SELECT a.PROD_ID,a.STD_COST,a.LAST_COST,b.prod_id2,b.prod_barcode FROM PRODUCT2 a \n"
                            "INNER JOIN PRODUCT b on a.prod_id = b.prod_id \n"
                            "where a.PROD_ID = 'P1'\n"
                            "or b.prod_id2 = 'P1'\n"
                            "or b.PROD_BARCODE = 'P1'");

    EXPECT_EQ(row(m.GetInPrice("S1", "P1", 2)).value("B_PRICE"), "10") << "LAST_COST 0 falls back to STD_COST";
    EXPECT_EQ(row(m.GetInPrice("S1", "P2", 2)).value("B_PRICE"), "12.5");
    EXPECT_EQ(row(m.GetInPrice("S1", "P2", 1)).value("B_PRICE"), "20");
    EXPECT_EQ(row(m.GetInPrice("S1", "P2", 3)).value("B_PRICE"), "20");
    for (const QString& code : {QStringLiteral("B1"), QStringLiteral("C1")}) {
        const auto found = row(m.GetInPrice("S1", code, 1));
        EXPECT_EQ(found.value("B_PRICE"), "10") << code.toStdString();
        EXPECT_EQ(found.value("TEMPPRODID"), code) << "the product text as passed";
    }
    for (int priceno : {0, 1, 2, 3}) {
        EXPECT_EQ(row(m.GetInPrice("S1", "P3", priceno)).value("B_PRICE"), "0") << "no PRODUCT2 row";
        EXPECT_EQ(row(m.GetCostPrice("NOPE", priceno)).value("COST_PRICE"), "0") << "no product";
    }
    s.log.clear();
    for (int priceno : {4, -1}) {
        const auto none = row(m.GetInPrice("S1", "P2", priceno));
        EXPECT_FALSE(none.contains("B_PRICE"));
        EXPECT_EQ(none.value("U_DIS"), "100");
        EXPECT_FALSE(row(m.GetCostPrice("P2", priceno)).contains("COST_PRICE"));
    }
    EXPECT_TRUE(s.log.isEmpty()) << "no statement for an unknown price condition";

    const QString cost = m.GetCostPrice("P2", 2);
    EXPECT_EQ(readPacket(cost).fields, QStringList({"TEMPPRODID string 20", "COST_PRICE r8"}));
    EXPECT_EQ(row(cost), (QMap<QString, QString>{{"TEMPPRODID", "P2"}, {"COST_PRICE", "12.5"}}));
}

TEST(PriceLookup, SalePriceLastSaleOverQuotationOverDefinedPrice)
{
    ServiceModule s;
    addProducts(s.database);
    testsupport::TempDatabase& db = s.database;
    TSimpleDataMod& m = s.module;
    db.exec("INSERT INTO CUSTOMER VALUES ('K1', 'lower-case flag', 'y')");
    db.exec("INSERT INTO CUSTOMER VALUES ('K2', 'last sale price', 'Y')");
    db.exec("INSERT INTO CUSTQUOTE_DETAIL VALUES ('Q1', 'P1', 'K1', 80, 90, 72, '2024/01/01', '2024/01/31')");
    db.exec("INSERT INTO CUSTQUOTE_DETAIL VALUES ('Q2', 'P1', 'K2', 81, 91, 0, '2024/01/01', '2024/01/31')");
    db.exec("INSERT INTO CUSTQUOTE_DETAIL VALUES ('Q3', 'P2', 'K1', NULL, NULL, 0, '2024/01/01', '2024/01/31')");
    db.exec("INSERT INTO CUSTSALE_DETAIL (MASTERBILLID, TEMPPRODID, CUST_CORP_ID, B_PRICE, U_DIS, V_PRICE) VALUES ('S001', 'P1', 'K2', 70, 95, 0)");
    db.exec("INSERT INTO CUSTSALE_DETAIL (MASTERBILLID, TEMPPRODID, CUST_CORP_ID, B_PRICE, U_DIS, V_PRICE) VALUES ('S002', 'P1', 'K2', 75, NULL, 0)");
    db.exec("INSERT INTO CUSTSALE_DETAIL (MASTERBILLID, TEMPPRODID, CUST_CORP_ID, B_PRICE, U_DIS, V_PRICE) VALUES ('S003', 'P1', 'K1', 60, 50, 0)");

    const QString quoted = m.GetSalePrice("K1", "P1", 1, "2024/01/01");
    EXPECT_EQ(readPacket(quoted).fields,
              QStringList({"TEMPPRODID string 20", "CUST_CORP_ID string 20", "HISTPRICE_YN string 1", "B_PRICE r8",
                           "U_DIS r8", "MASTERBILLID string 20"}));
    EXPECT_EQ(row(quoted), (QMap<QString, QString>{{"TEMPPRODID", "P1"}, {"CUST_CORP_ID", "K1"},
                                                   {"HISTPRICE_YN", "y"}, {"B_PRICE", "80"}, {"U_DIS", "90"},
                                                   {"MASTERBILLID", "Q1"}}));
    EXPECT_EQ(row(m.GetSalePrice("K1", "P1", 1, "2024/01/31")).value("MASTERBILLID"), "Q1") << "last day valid";

    const auto defined = row(m.GetSalePrice("K1", "P1", 1, "2024/02/01"));
    EXPECT_EQ(defined.value("B_PRICE"), "99");
    EXPECT_EQ(defined.value("U_DIS"), "100");
    EXPECT_FALSE(defined.contains("MASTERBILLID"));
    EXPECT_EQ(row(m.GetSalePrice("K1", "P1", 2, "2024/02/01")).value("B_PRICE"), "0") << "null defined price";
    EXPECT_EQ(row(m.GetSalePrice("K1", "P1", 3, "2024/02/01")).value("B_PRICE"), "0") << "no defined price";
    EXPECT_EQ(row(m.GetSalePrice("K1", "B1", 1, "2024/01/15")).value("B_PRICE"), "99")
        << "a barcode finds the defined price but not the quotation, which compares the text";

    const auto nulls = row(m.GetSalePrice("K1", "P2", 1, "2024/01/15"));
    EXPECT_EQ(nulls.value("B_PRICE"), "0");
    EXPECT_EQ(nulls.value("U_DIS"), "100");
    EXPECT_EQ(nulls.value("MASTERBILLID"), "Q3");

    const auto sold = row(m.GetSalePrice("K2", "P1", 1, "2024/01/15"));
    EXPECT_EQ(sold.value("B_PRICE"), "75") << "the sale line with the highest number wins over the quotation";
    EXPECT_EQ(sold.value("U_DIS"), "100");
    EXPECT_EQ(sold.value("MASTERBILLID"), "S002");
    EXPECT_EQ(row(m.GetSalePrice("K2", "P2", 1, "2024/01/15")).value("U_DIS"), "100");

    const auto stranger = row(m.GetSalePrice("K9", "P1", 1, "2024/01/15"));
    EXPECT_EQ(stranger.value("HISTPRICE_YN"), "");
    EXPECT_EQ(stranger.value("B_PRICE"), "99");
}

TEST(PriceLookup, SaleStatementsAsSentForNormalValues)
{
    ServiceModule s;
    s.module.GetSalePrice("K2", "P1", 1, "2024/01/15");
    s.database.exec("INSERT INTO CUSTOMER VALUES ('K2', 'last sale price', 'Y')");
    s.module.GetSalePrice("K2", "P1", 1, "2024/01/15");
    EXPECT_EQ(s.log.mid(3), QStringList({
        "SELECT CORP_ID,HISTPRICE_YN FROM CUSTOMER \n"
        "WHERE CORP_ID = 'K2'",
        "SELECT a.PROD_ID,a.PROD_BARCODE,a.PROD_NAME,a.PROD_SCALE,a.PROD_ENAME,a.PD_ITEMID,a.PD_CLASSID,a.UNIT_ID,"
        "a.TAX_KIND,a.STK_QTY_YN,a.MS_YN,a.STOP_SALE_YN,\n"
        "b.STD_COST,b.LAST_COST, \n"
        "(SELECT case when DEFINE_PRICE is null then 0 else DEFINE_PRICE end FROM PROD_PRICE where PROD_ID = "
        "a.PROD_ID AND PRICE_NO = 1) as B_PRICE \n"
        "from PRODUCT a INNER JOIN PRODUCT2 b \n"
        "on a.PROD_ID=b.PROD_ID \n"
        "where a.PROD_ID = 'P1'\n"
        "or a.prod_id2 = 'P1'\n"
        "or a.PROD_BARCODE = 'P1'",
        "SELECT MASTERBILLID,B_PRICE,U_DIS,V_PRICE FROM CUSTQUOTE_DETAIL \n"
        "WHERE TEMPPRODID = 'P1'\n"
        "AND CUST_CORP_ID = 'K2'\n"
        "AND '2024/01/15' BETWEEN INI_DATE AND END_DATE ",
        "SELECT FIRST 1 MASTERBILLID,B_PRICE,U_DIS,V_PRICE FROM CUSTSALE_DETAIL \n"
        "WHERE TEMPPRODID = 'P1'\n"
        "AND CUST_CORP_ID = 'K2'\n"
        "ORDER BY MASTERBILLID DESC "}));
    EXPECT_EQ(s.log.size(), 7) << "no last-sale look-up without the customer's flag";
}

TEST(PriceLookup, QuotesAndMarkupInTextsAreLookedUpAndReturnedIntact)
{
    ServiceModule s;
    testsupport::TempDatabase& db = s.database;
    const QString product = "O'K <&\"> 紙";
    const QString customer = "K'1&<";
    db.exec("INSERT INTO PRODUCT (PROD_ID) VALUES ('O''K <&\"> 紙')");
    db.exec("INSERT INTO PRODUCT2 VALUES ('O''K <&\"> 紙', 33, 0)");
    db.exec("INSERT INTO PROD_PRICE VALUES ('O''K <&\"> 紙', 1, 44)");
    db.exec("INSERT INTO CUSTOMER VALUES ('K''1&<', 'quoted', 'Y')");
    db.exec("INSERT INTO CUSTSALE_DETAIL (MASTERBILLID, TEMPPRODID, CUST_CORP_ID, B_PRICE, U_DIS, V_PRICE) VALUES ('S''9', 'O''K <&\"> 紙', 'K''1&<', 55, 97, 0)");

    const auto in = row(s.module.GetInPrice(customer, product, 1));
    EXPECT_EQ(in.value("TEMPPRODID"), product);
    EXPECT_EQ(in.value("SUPP_CORP_ID"), customer);
    EXPECT_EQ(in.value("B_PRICE"), "33");
    const auto sale = row(s.module.GetSalePrice(customer, product, 1, "2024'01"));
    EXPECT_EQ(sale.value("TEMPPRODID"), product);
    EXPECT_EQ(sale.value("CUST_CORP_ID"), customer);
    EXPECT_EQ(sale.value("B_PRICE"), "55");
    EXPECT_EQ(sale.value("MASTERBILLID"), "S'9");
    EXPECT_TRUE(s.log.join('\n').contains("AND '2024''01' BETWEEN INI_DATE AND END_DATE "));
}
