#include "OpeningFixture.h"

TEST_F(OpeningTest, PlaceholderProductIsCreatedOnceWithEmptyTextsNotNulls)
{
    form->EnsureOpeningProduct();
    form->EnsureOpeningProduct();

    ASSERT_EQ(count("SELECT COUNT(*) FROM PRODUCT"), 1);
    const auto product = row("SELECT PROD_ID,PROD_BARCODE,PROD_NAME,PROD_SNAME,PROD_SCALE,PROD_ID2,PD_ITEMID,"
                             "PD_ITEMNAME,UNIT_ID,TAX_KIND,STK_QTY_YN,MS_YN,WEBSHOW_YN,STOP_IN_YN,STOP_SALE_YN,"
                             "DEL_FLAG_YN,SALE_PRICE,CHG_DATETIME,CHG_USER,CHG_HOST,CR_DATETIME,CR_USER,CR_HOST,WUID "
                             "FROM PRODUCT");
    const QStringList expected{"X99X", "X99X", "期初帳款", "期初帳款", "", "", "", "", "PC", "Y", "N", "N",
                               "N",    "N",    "N",       "N",       "0", "", "", "", "", "", "", ""};
    ASSERT_EQ(product.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_FALSE(product.at(i).isNull()) << "column " << i;
        EXPECT_EQ(product.at(i).toString(), expected.at(i)) << "column " << i;
    }
    EXPECT_TRUE(row("SELECT PROD_ENAME FROM PRODUCT").at(0).isNull());
}

TEST_F(OpeningTest, AnExistingPlaceholderIsLeftAsItIs)
{
    database.exec("INSERT INTO PRODUCT(PROD_ID,PROD_NAME,UNIT_ID,SALE_PRICE) VALUES('X99X','舊名稱','箱',12.5)");
    form->EnsureOpeningProduct();
    EXPECT_EQ(count("SELECT COUNT(*) FROM PRODUCT"), 1);
    const auto product = row("SELECT PROD_NAME, UNIT_ID, SALE_PRICE, PROD_BARCODE FROM PRODUCT");
    EXPECT_EQ(product.at(0).toString(), "舊名稱");
    EXPECT_EQ(product.at(1).toString(), "箱");
    EXPECT_EQ(product.at(2).toDouble(), 12.5);
    EXPECT_TRUE(product.at(3).isNull());
}
