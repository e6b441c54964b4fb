#include "RecordSet.h"

#include "DbError.h"
#include "Statement.h"

namespace db {

DataPacket Provider::fetch(const QString& commandText, const TextParams& params)
{
    if (!source_)
        throw DbError(QStringLiteral("The provider has no source statement"));
    source_->close();
    source_->setLines({commandText});
    for (const auto& [name, value] : params)
        source_->setParamText(name, value);
    source_->open();
    DataPacket packet = source_->result();
    source_->close();
    return packet;
}

namespace {
// The query's rows laid out in the fixed columns, matched by name.
DataPacket toLayout(const DataPacket& fetched, const QVector<FieldDef>& layout)
{
    DataPacket packet;
    packet.fields = layout;
    std::vector<int> source;
    for (const FieldDef& def : layout) {
        const int index = def.calculated ? -1 : fetched.indexOf(def.name);
        if (index < 0 && !def.calculated)
            throw DbError(QStringLiteral("Field '%1' not found").arg(def.name));
        source.push_back(index);
    }
    packet.rows.reserve(fetched.rows.size());
    for (const auto& fetchedRow : fetched.rows) {
        QVector<QVariant> row(layout.size());
        for (int i = 0; i < layout.size(); ++i)
            if (source[size_t(i)] >= 0)
                row[i] = valueForType(fetchedRow.at(source[size_t(i)]), layout.at(i).type);
        packet.rows << row;
    }
    return packet;
}
} // namespace

void RecordSet::open()
{
    if (!provider_)
        throw DbError(QStringLiteral("The record set has no provider"));
    DataPacket fetched = provider_->fetch(commandText_, params_);
    setData(fixedFields_.isEmpty() ? fetched : toLayout(fetched, fixedFields_));
}

void RecordSet::close()
{
    data_.rows.clear();
    if (fixedFields_.isEmpty())
        data_.fields.clear();
    state_ = State::Inactive;
    row_ = 0;
    eof_ = true;
    notifyReset();
}

void RecordSet::createDataSet(const QVector<FieldDef>& defs)
{
    fixedFields_ = defs;
    setData(DataPacket{defs, {}});
}

void RecordSet::clearRows()
{
    requireActive();
    setData(DataPacket{data_.fields, {}});
}

void RecordSet::setData(const DataPacket& packet)
{
    data_ = packet;
    state_ = State::Browse;
    row_ = 0;
    eof_ = data_.rows.isEmpty();
    notifyReset();
}

FieldType RecordSet::fieldType(const QString& name) const
{
    return data_.fields.at(checkedIndex(name)).type;
}

void RecordSet::requireActive() const
{
    if (state_ == State::Inactive)
        throw DbError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void RecordSet::first()
{
    requireActive();
    post();
    row_ = 0;
    eof_ = data_.rows.isEmpty();
    notifyCurrent();
}

void RecordSet::next()
{
    requireActive();
    post();
    if (row_ + 1 < data_.rows.size()) {
        ++row_;
        notifyCurrent();
    } else {
        eof_ = true;
    }
}

void RecordSet::setRecNo(int position)
{
    requireActive();
    post();
    if (position < 1 || position > data_.rows.size())
        throw DbError(QStringLiteral("Record number %1 out of range").arg(position));
    row_ = position - 1;
    eof_ = false;
    notifyCurrent();
}

void RecordSet::edit()
{
    requireActive();
    if (state_ != State::Browse)
        return;
    if (data_.rows.isEmpty()) {
        append();
        return;
    }
    state_ = State::Edit;
}

void RecordSet::append()
{
    requireActive();
    post();
    data_.rows << QVector<QVariant>(data_.fields.size());
    row_ = data_.rows.size() - 1;
    eof_ = false;
    state_ = State::Insert;
    notifyReset();
}

void RecordSet::post()
{
    if (state_ == State::Edit || state_ == State::Insert)
        state_ = State::Browse;
}

int RecordSet::checkedIndex(const QString& field) const
{
    const int index = data_.indexOf(field);
    if (index < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(field));
    return index;
}

QVariant RecordSet::value(const QString& field) const
{
    return value(checkedIndex(field));
}

QVariant RecordSet::value(int column) const
{
    if (column < 0 || column >= fieldCount())
        throw DbError(QStringLiteral("Field index %1 out of range").arg(column));
    if (data_.rows.isEmpty())
        return {};
    return data_.rows.at(row_).at(column);
}

QVector<QVariant> RecordSet::currentRow() const
{
    if (data_.rows.isEmpty())
        return {};
    return data_.rows.at(row_).toVector();
}

QString RecordSet::asText(const QString& field) const
{
    return valueToText(value(field));
}

qint64 RecordSet::asInteger(const QString& field) const
{
    return valueToInteger(value(field));
}

double RecordSet::asDouble(const QString& field) const
{
    return valueToDouble(value(field));
}

void RecordSet::requireEditing(const QString& field) const
{
    if (state_ != State::Edit && state_ != State::Insert)
        throw DbError(QStringLiteral("Dataset not in edit or insert mode (field '%1')").arg(field));
}

void RecordSet::setValue(const QString& field, const QVariant& value)
{
    const int index = checkedIndex(field);
    requireEditing(field);
    data_.rows[row_][index] = valueForType(value, data_.fields.at(index).type);
    if (!controlsDisabled())
        emit rowChanged(static_cast<int>(row_));
}

void RecordSet::setAsText(const QString& field, const QString& value)
{
    setValue(field, value);
}

void RecordSet::setAsInteger(const QString& field, qint64 value)
{
    setValue(field, QVariant::fromValue(value));
}

void RecordSet::setAsDouble(const QString& field, double value)
{
    setValue(field, value);
}

void RecordSet::gotoBookmark(Bookmark bookmark)
{
    requireActive();
    if (bookmark < 0 || (bookmark >= data_.rows.size() && !data_.rows.isEmpty()))
        throw DbError(QStringLiteral("Bookmark not found"));
    row_ = bookmark;
    eof_ = data_.rows.isEmpty();
    notifyCurrent();
}

void RecordSet::disableControls()
{
    ++disabled_;
}

void RecordSet::enableControls()
{
    if (disabled_ > 0 && --disabled_ == 0) {
        emit contentReset();
        emit currentChanged(static_cast<int>(row_));
    }
}

void RecordSet::notifyReset()
{
    if (controlsDisabled())
        return;
    emit contentReset();
    emit currentChanged(static_cast<int>(row_));
}

void RecordSet::notifyCurrent()
{
    if (!controlsDisabled())
        emit currentChanged(static_cast<int>(row_));
}

} // namespace db
