#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class QTableView;
namespace db {
class RecordSet;
}

namespace toolkit {

// A record set as a grid sees it: one column per record-set column in record-set order, a title
// row with a caption per column and a row indicator (the vertical header) that marks the current
// row. Read-only. Captions start as the column's caption, else its name, and are kept until the
// record set's columns change.
class RecordSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordSetModel(db::RecordSet* records, QObject* parent = nullptr);

    // Null once the record set is gone.
    db::RecordSet* recordSet() const { return records_; }
    // The row the record set stands on (0-based), -1 without rows.
    int currentRow() const;

    void setColumnCaption(int column, const QString& caption);
    QString columnCaption(int column) const { return captions_.value(column); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void currentRowChanged(int row);

private:
    void contentReset();
    void rowChanged(int row);
    void currentMoved(int row);

    db::RecordSet* records_;
    QStringList fieldNames_;
    QStringList captions_;
    int indicatorRow_ = -1;  // where the grid was last told the record set stands
};

// Shows the model in a grid: read-only, widths set per column in pixels (the operator may widen
// them), the grid's current row following the record set, and the record set following the
// operator's moves.
void bindGrid(QTableView& grid, RecordSetModel& model);

} // namespace toolkit
