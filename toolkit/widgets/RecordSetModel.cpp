#include "RecordSetModel.h"

#include "RecordSet.h"
#include "Value.h"

#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QTableView>

namespace toolkit {

namespace {
// The row indicator's mark: a small black triangle pointing at the current row.
QIcon indicatorIcon()
{
    static const QIcon icon = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF({QPointF(5, 3.5), QPointF(11.5, 8), QPointF(5, 12.5)}));
        return QIcon(pixmap);
    }();
    return icon;
}

bool isNumeric(db::FieldType type)
{
    return type == db::FieldType::Integer || type == db::FieldType::Float;
}
} // namespace

RecordSetModel::RecordSetModel(db::RecordSet* records, QObject* parent)
    : QAbstractTableModel(parent), records_(records)
{
    connect(records_, &db::RecordSet::contentReset, this, &RecordSetModel::contentReset);
    connect(records_, &db::RecordSet::rowChanged, this, &RecordSetModel::rowChanged);
    connect(records_, &db::RecordSet::currentChanged, this, &RecordSetModel::currentMoved);
    // A window's record sets may go before its grid does.
    connect(records_, &QObject::destroyed, this, [this] {
        beginResetModel();
        records_ = nullptr;
        fieldNames_.clear();
        captions_.clear();
        indicatorRow_ = -1;
        endResetModel();
    });
    contentReset();
    indicatorRow_ = currentRow();
}

int RecordSetModel::currentRow() const
{
    return records_ ? records_->recNo() - 1 : -1;
}

void RecordSetModel::setColumnCaption(int column, const QString& caption)
{
    if (column < 0 || column >= captions_.size())
        return;
    captions_[column] = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int RecordSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !records_ || !records_->isOpen() ? 0 : records_->recordCount();
}

int RecordSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(fieldNames_.size());
}

QVariant RecordSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return db::valueToText(records_->cell(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return isNumeric(records_->fieldDef(index.column()).type)
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section >= 0 && section < captions_.size())
            return captions_.at(section);
        return {};
    }
    if (role == Qt::DecorationRole && section == indicatorRow_)
        return indicatorIcon();
    return {};
}

Qt::ItemFlags RecordSetModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void RecordSetModel::contentReset()
{
    beginResetModel();
    QStringList names;
    for (int i = 0; i < records_->fieldCount(); ++i)
        names << records_->fieldDef(i).name;
    if (names != fieldNames_) {
        fieldNames_ = names;
        captions_.clear();
        for (int i = 0; i < records_->fieldCount(); ++i) {
            const db::FieldDef& def = records_->fieldDef(i);
            captions_ << (def.caption.isEmpty() ? def.name : def.caption);
        }
    }
    endResetModel();
}

void RecordSetModel::rowChanged(int row)
{
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void RecordSetModel::currentMoved(int)
{
    const int previous = indicatorRow_;
    indicatorRow_ = currentRow();
    if (previous >= 0 && previous < rowCount())
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (indicatorRow_ >= 0)
        emit headerDataChanged(Qt::Vertical, indicatorRow_, indicatorRow_);
    emit currentRowChanged(indicatorRow_);
}

void bindGrid(QTableView& grid, RecordSetModel& model)
{
    grid.setModel(&model);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid.horizontalHeader()->setHighlightSections(false);
    // Rows as tall as a line of the grid's font, as data grids show them.
    grid.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid.verticalHeader()->setDefaultSectionSize(grid.fontMetrics().height() + 4);

    QObject::connect(&model, &RecordSetModel::currentRowChanged, &grid, [&grid, &model](int row) {
        if (row < 0 || grid.currentIndex().row() == row)
            return;
        int column = grid.currentIndex().isValid() ? grid.currentIndex().column() : 0;
        while (column + 1 < model.columnCount() && grid.isColumnHidden(column))
            ++column;
        grid.setCurrentIndex(model.index(row, column));
    });
    QObject::connect(grid.selectionModel(), &QItemSelectionModel::currentRowChanged, &model,
                     [&model](const QModelIndex& current) {
                         const int row = current.row();
                         if (current.isValid() && row != model.currentRow() && row < model.rowCount())
                             model.recordSet()->setRecNo(row + 1);
                     });
}

} // namespace toolkit
