#pragma once

#include "DataPacket.h"

#include <QObject>
#include <QString>

namespace db {

class Statement;

// Hands a record set every row of a command text, run through its source statement.
class Provider {
public:
    explicit Provider(Statement* source = nullptr) : source_(source) {}
    void setSource(Statement* source) { source_ = source; }
    Statement* source() const { return source_; }
    // Text values of the command's ":NAME" parameters, by name.
    using TextParams = QList<std::pair<QString, QString>>;
    DataPacket fetch(const QString& commandText, const TextParams& params = {});

private:
    Statement* source_;
};

// Rows held in memory with named, typed columns and a current row. A record set either takes
// its columns from the query it opens, or has a fixed layout (setFieldDefs) that the query must
// supply by name. Grids follow it through its signals unless display updates are suspended.
class RecordSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Bookmark = qsizetype;

    explicit RecordSet(QObject* parent = nullptr) : QObject(parent) {}

    void setProvider(Provider* provider) { provider_ = provider; }
    // A new command text starts without parameter values.
    void setCommandText(const QString& text)
    {
        commandText_ = text;
        params_.clear();
    }
    // The value of a ":NAME" parameter of the command text, sent at the next open.
    void setParamText(const QString& name, const QString& value) { params_.append({name, value}); }
    const QString& commandText() const { return commandText_; }
    // A fixed layout: opening keeps these columns whatever the query returns.
    void setFieldDefs(const QVector<FieldDef>& defs) { fixedFields_ = defs; }

    void open();
    void close();
    // An empty, open record set with the given columns.
    void createDataSet(const QVector<FieldDef>& defs);
    bool isOpen() const { return state_ != State::Inactive; }
    // Drops every row and keeps the columns, as an open that found no rows leaves it.
    void clearRows();
    State state() const { return state_; }

    int fieldCount() const { return static_cast<int>(data_.fields.size()); }
    const FieldDef& fieldDef(int index) const { return data_.fields.at(index); }
    int fieldIndex(const QString& name) const { return data_.indexOf(name); }
    FieldType fieldType(const QString& name) const;

    int recordCount() const { return static_cast<int>(data_.rows.size()); }
    bool isEmpty() const { return data_.rows.isEmpty(); }
    bool eof() const { return eof_; }
    // Position of the current row, counted from 1; 0 without rows.
    int recNo() const { return isEmpty() ? 0 : static_cast<int>(row_) + 1; }
    void first();
    void next();
    void setRecNo(int position);

    // Starts changing the current row; without rows it starts a new row instead.
    void edit();
    void append();
    void post();

    QVariant value(const QString& field) const;
    // The current row's value in the column at that position (0-based), null without rows.
    QVariant value(int column) const;
    // Every value of the current row, in column order, read in one pass; empty without rows.
    QVector<QVariant> currentRow() const;
    bool isNull(const QString& field) const { return value(field).isNull(); }
    QString asText(const QString& field) const;
    qint64 asInteger(const QString& field) const;
    double asDouble(const QString& field) const;
    void setValue(const QString& field, const QVariant& value);
    void setAsText(const QString& field, const QString& value);
    void setAsInteger(const QString& field, qint64 value);
    void setAsDouble(const QString& field, double value);
    // The value in row (0-based) and column, for grids.
    QVariant cell(int row, int column) const { return data_.rows.at(row).at(column); }

    Bookmark bookmark() const { return row_; }
    void gotoBookmark(Bookmark bookmark);

    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

    const DataPacket& data() const { return data_; }
    // Replaces columns and rows and leaves the record set open at its first row.
    void setData(const DataPacket& packet);

signals:
    void contentReset();
    void rowChanged(int row);
    void currentChanged(int row);

private:
    int checkedIndex(const QString& field) const;
    void requireEditing(const QString& field) const;
    void requireActive() const;
    void notifyReset();
    void notifyCurrent();

    Provider* provider_ = nullptr;
    QString commandText_;
    Provider::TextParams params_;
    QVector<FieldDef> fixedFields_;
    DataPacket data_;
    State state_ = State::Inactive;
    qsizetype row_ = 0;
    bool eof_ = true;
    int disabled_ = 0;
};

} // namespace db
