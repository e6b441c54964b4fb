#include "RecordSet.h"
#include "RecordSetModel.h"

#include <QHeaderView>
#include <QTableView>
#include <gtest/gtest.h>
#include <memory>

using db::FieldType;
using toolkit::RecordSetModel;

namespace {
db::DataPacket suppliers()
{
    return {{{"CORP_ID", FieldType::Text, 20}, {"CORP_NAME", FieldType::Text, 60, "名稱"}, {"BEFORE_NOTPAY", FieldType::Float}},
            {{"S1", "甲", 1234.5}, {"S2", "乙", QVariant()}, {"S3", "丙", -250.0}}};
}
} // namespace

TEST(RecordSetModelTest, ShowsEveryColumnInOrderWithCaptionsAndReadOnlyCells)
{
    db::RecordSet records;
    RecordSetModel model(&records);
    EXPECT_EQ(model.columnCount(), 0);
    EXPECT_EQ(model.rowCount(), 0);

    records.setData(suppliers());
    ASSERT_EQ(model.columnCount(), 3);
    ASSERT_EQ(model.rowCount(), 3);
    // A column's caption, else its name.
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "CORP_ID");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "名稱");
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), "1234.5");
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), "");
    EXPECT_EQ(model.data(model.index(2, 1)).toString(), "丙");
    EXPECT_TRUE(model.data(model.index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_TRUE(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.index(0, 0), "X"));

    model.setColumnCaption(0, "廠商代號");
    model.setColumnCaption(7, "nothing there");
    EXPECT_EQ(model.columnCaption(0), "廠商代號");
    // Reopening with the same columns keeps the captions; other columns start afresh.
    records.setData(suppliers());
    EXPECT_EQ(model.columnCaption(0), "廠商代號");
    records.setData({{{"PROD_ID", FieldType::Text}}, {}});
    EXPECT_EQ(model.columnCount(), 1);
    EXPECT_EQ(model.columnCaption(0), "PROD_ID");
    EXPECT_EQ(model.rowCount(), 0);
    records.close();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(RecordSetModelTest, RowIndicatorAndCellChangesFollowTheRecordSet)
{
    db::RecordSet records;
    RecordSetModel model(&records);
    records.setData(suppliers());
    auto marked = [&model](int row) { return !model.headerData(row, Qt::Vertical, Qt::DecorationRole).isNull(); };
    EXPECT_EQ(model.currentRow(), 0);
    EXPECT_TRUE(marked(0));
    EXPECT_FALSE(marked(1));

    records.next();
    records.next();
    EXPECT_EQ(model.currentRow(), 2);
    EXPECT_TRUE(marked(2));
    EXPECT_FALSE(marked(0));

    records.edit();
    records.setAsDouble("BEFORE_NOTPAY", 99);
    records.post();
    EXPECT_EQ(model.data(model.index(2, 2)).toString(), "99");

    // While display updates are suspended the indicator stays; it catches up afterwards.
    records.disableControls();
    records.first();
    EXPECT_TRUE(marked(2));
    records.enableControls();
    EXPECT_TRUE(marked(0));
    EXPECT_FALSE(marked(2));
}

TEST(RecordSetModelTest, GridAndRecordSetMoveTogetherAndTheGridOutlivesTheRecordSet)
{
    auto records = std::make_unique<db::RecordSet>();
    RecordSetModel model(records.get());
    QTableView grid;
    toolkit::bindGrid(grid, model);
    EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid.verticalHeader()->defaultSectionSize(), grid.fontMetrics().height() + 4);

    records->setData(suppliers());
    EXPECT_EQ(grid.currentIndex().row(), 0);
    records->setRecNo(3);
    EXPECT_EQ(grid.currentIndex().row(), 2);

    // The operator moves the grid: the record set follows.
    grid.setCurrentIndex(model.index(1, 1));
    EXPECT_EQ(records->recNo(), 2);
    EXPECT_EQ(records->asText("CORP_ID"), "S2");

    // Widths and visibility belong to the grid and survive moving about.
    grid.setColumnWidth(1, 200);
    grid.setColumnHidden(2, true);
    records->first();
    EXPECT_EQ(grid.columnWidth(1), 200);
    EXPECT_TRUE(grid.isColumnHidden(2));

    records.reset();
    EXPECT_EQ(model.recordSet(), nullptr);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
    EXPECT_EQ(model.currentRow(), -1);
}
