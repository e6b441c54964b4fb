#include "PacketRows.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace db {

namespace {

// The kind byte before each cell's value.
enum Kind : char {
    kNull,      // an invalid QVariant; nothing follows
    kInteger,   // a qint64: 8 bytes
    kDouble,    // a double: 8 bytes
    kText,      // a QString: length, then its UTF-8
    kBytes,     // a QByteArray: length, then the bytes
    kNullText,  // a null QString, which reads apart from an empty one
    kNullBytes, // a null QByteArray
    kOther,     // any other value: its position among the values kept whole
};

// Counts and lengths take 7 bits a byte, most of them one byte.
void putCount(QByteArray& out, quint64 count)
{
    char bytes[10];
    int used = 0;
    while (count >= 0x80) {
        bytes[used++] = static_cast<char>((count & 0x7f) | 0x80);
        count >>= 7;
    }
    bytes[used++] = static_cast<char>(count);
    out.append(bytes, used);
}

quint64 takeCount(const char*& at)
{
    quint64 count = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*at++);
        count |= quint64(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0)
            return count;
    }
}

template <class T>
void putFixed(QByteArray& out, Kind kind, T value)
{
    char bytes[1 + sizeof(T)];
    bytes[0] = kind;
    std::memcpy(bytes + 1, &value, sizeof value);
    out.append(bytes, sizeof bytes);
}

template <class T>
T takeFixed(const char*& at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

void putSized(QByteArray& out, Kind kind, const char* bytes, qsizetype length)
{
    out.append(kind);
    putCount(out, static_cast<quint64>(length));
    out.append(bytes, length);
}

} // namespace

struct PacketRows::Storage : QSharedData {
    QByteArray cells;
    std::vector<qsizetype> rows;   // where each row starts in cells: its cell count, then its cells
    std::vector<QVariant> others;  // the values of kOther cells

    const char* rowStart(qsizetype row) const
    {
        Q_ASSERT(row >= 0 && row < qsizetype(rows.size()));
        return cells.constData() + rows[size_t(row)];
    }

    static void skipCell(const char*& at)
    {
        switch (static_cast<Kind>(*at++)) {
        case kInteger:
        case kDouble:
            at += 8;
            break;
        case kText:
        case kBytes:
            at += takeCount(at);
            break;
        case kOther:
            takeCount(at);
            break;
        default:
            break;
        }
    }

    QVariant readCell(const char*& at) const
    {
        switch (static_cast<Kind>(*at++)) {
        case kNull:
            return {};
        case kInteger:
            return QVariant::fromValue(takeFixed<qint64>(at));
        case kDouble:
            return QVariant(takeFixed<double>(at));
        case kText: {
            const auto length = static_cast<qsizetype>(takeCount(at));
            const char* bytes = at;
            at += length;
            return QVariant(QString::fromUtf8(bytes, length));
        }
        case kBytes: {
            const auto length = static_cast<qsizetype>(takeCount(at));
            const char* bytes = at;
            at += length;
            return QVariant(QByteArray(bytes, length));
        }
        case kNullText:
            return QVariant(QString());
        case kNullBytes:
            return QVariant(QByteArray());
        case kOther:
            return others[size_t(takeCount(at))];
        }
        return {};
    }

    void writeText(const QString& text)
    {
        if (text.isNull()) {
            cells.append(kNullText);
        } else if (QStringView(text).isValidUtf16()) {
            const QByteArray utf8 = text.toUtf8();
            putSized(cells, kText, utf8.constData(), utf8.size());
        } else {
            writeOther(QVariant(text));  // a lone surrogate would not survive UTF-8
        }
    }

    void writeOther(const QVariant& value)
    {
        cells.append(kOther);
        putCount(cells, others.size());
        others.push_back(value);
    }

    void writeCell(const QVariant& value)
    {
        switch (value.typeId()) {
        case QMetaType::UnknownType:
            cells.append(kNull);
            break;
        case QMetaType::LongLong:
            putFixed(cells, kInteger, value.toLongLong());
            break;
        case QMetaType::Double:
            putFixed(cells, kDouble, value.toDouble());
            break;
        case QMetaType::QString:
            writeText(*static_cast<const QString*>(value.constData()));
            break;
        case QMetaType::QByteArray: {
            const auto& bytes = *static_cast<const QByteArray*>(value.constData());
            if (bytes.isNull())
                cells.append(kNullBytes);
            else
                putSized(cells, kBytes, bytes.constData(), bytes.size());
            break;
        }
        default:
            writeOther(value);
        }
    }

    void writeRow(const QVector<QVariant>& values)
    {
        rows.push_back(cells.size());
        putCount(cells, static_cast<quint64>(values.size()));
        for (const QVariant& value : values)
            writeCell(value);
    }
};

qsizetype PacketRows::Row::size() const
{
    const char* at = storage_->rowStart(row_);
    return static_cast<qsizetype>(takeCount(at));
}

QVariant PacketRows::Row::at(qsizetype column) const
{
    const char* at = storage_->rowStart(row_);
    const auto count = static_cast<qsizetype>(takeCount(at));
    Q_ASSERT(column >= 0 && column < count);
    if (column < 0 || column >= count)
        return {};
    for (qsizetype i = 0; i < column; ++i)
        Storage::skipCell(at);
    return storage_->readCell(at);
}

QVector<QVariant> PacketRows::Row::toVector() const
{
    const char* at = storage_->rowStart(row_);
    const auto count = static_cast<qsizetype>(takeCount(at));
    QVector<QVariant> values;
    values.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        values << storage_->readCell(at);
    return values;
}

PacketRows::PacketRows() = default;
PacketRows::PacketRows(const PacketRows& other) = default;
PacketRows::PacketRows(PacketRows&& other) noexcept = default;
PacketRows& PacketRows::operator=(const PacketRows& other) = default;
PacketRows& PacketRows::operator=(PacketRows&& other) noexcept = default;
PacketRows::~PacketRows() = default;

PacketRows::PacketRows(std::initializer_list<QVector<QVariant>> rows)
{
    for (const QVector<QVariant>& row : rows)
        append(row);
}

PacketRows::Storage& PacketRows::writable()
{
    // No block until the first row: every statement's empty result stays free.
    if (!d_)
        d_.reset(new Storage);
    return *d_;
}

qsizetype PacketRows::size() const
{
    return d_ ? qsizetype(storage()->rows.size()) : 0;
}

void PacketRows::clear()
{
    d_.reset();
}

void PacketRows::reserve(qsizetype rows, qsizetype bytes)
{
    Storage& s = writable();
    s.rows.reserve(size_t(rows));
    if (bytes > s.cells.capacity())
        s.cells.reserve(bytes);
}

void PacketRows::squeeze()
{
    if (!d_)
        return;
    Storage& s = *d_;
    s.cells.squeeze();
    s.rows.shrink_to_fit();
    s.others.shrink_to_fit();
}

qsizetype PacketRows::memoryUsed() const
{
    if (!d_)
        return 0;
    const Storage& s = *storage();
    return s.cells.capacity() + qsizetype(s.rows.capacity() * sizeof(qsizetype)) +
           qsizetype(s.others.capacity() * sizeof(QVariant));
}

void PacketRows::append(const QVector<QVariant>& row)
{
    writable().writeRow(row);
}

void PacketRows::setCell(qsizetype row, qsizetype column, const QVariant& value)
{
    Storage& s = writable();
    const qsizetype start = s.rows[size_t(row)];
    const char* at = s.cells.constData() + start;
    const auto count = static_cast<qsizetype>(takeCount(at));
    Q_ASSERT(column >= 0 && column < count);
    if (column < 0 || column >= count)
        return;
    for (qsizetype i = 0; i < column; ++i)
        Storage::skipCell(at);
    const qsizetype cellStart = at - s.cells.constData();
    std::optional<size_t> other;
    if (static_cast<Kind>(*at) == kOther) {
        const char* index = at + 1;
        other = takeCount(index);
    }
    Storage::skipCell(at);
    const qsizetype cellEnd = at - s.cells.constData();
    for (qsizetype i = column + 1; i < count; ++i)
        Storage::skipCell(at);

    if (at != s.cells.constData() + s.cells.size()) {
        // A row before the last in the block moves to the end, leaving its old bytes unused:
        // editing touches few rows, and moving every row after it would cost more.
        QVector<QVariant> values = Row(&s, row).toVector();
        values[column] = value;
        s.rows[size_t(row)] = s.cells.size();
        putCount(s.cells, static_cast<quint64>(values.size()));
        for (const QVariant& cell : values)
            s.writeCell(cell);
        return;
    }
    // The row last in the block (the one a record set appended and now fills in) has the cell
    // written over in place, the cells after it kept as they are: the new cell is written at the
    // end, the old one taken out, and the new one turned round to before the cells after it.
    if (other && *other + 1 == s.others.size())
        s.others.pop_back();  // so that setting such a value again and again does not pile up
    s.cells.remove(cellStart, cellEnd - cellStart);
    const qsizetype afterEnd = s.cells.size();
    s.writeCell(value);
    char* const cells = s.cells.data();
    std::rotate(cells + cellStart, cells + afterEnd, cells + s.cells.size());
}

QVector<QVector<QVariant>> PacketRows::toVectors() const
{
    QVector<QVector<QVariant>> vectors;
    vectors.reserve(size());
    for (const Row row : *this)
        vectors << row.toVector();
    return vectors;
}

void PacketRows::startRow(qsizetype cells)
{
    Storage& s = writable();
    s.rows.push_back(s.cells.size());
    putCount(s.cells, static_cast<quint64>(cells));
}

void PacketRows::appendNull()
{
    d_->cells.append(kNull);
}

void PacketRows::appendInteger(qint64 value)
{
    putFixed(d_->cells, kInteger, value);
}

void PacketRows::appendDouble(double value)
{
    putFixed(d_->cells, kDouble, value);
}

void PacketRows::appendUtf8(const char* bytes, qsizetype length)
{
    putSized(d_->cells, kText, bytes, length);
}

void PacketRows::appendText(const QString& text)
{
    d_->writeText(text);
}

void PacketRows::appendBytes(const char* bytes, qsizetype length)
{
    putSized(d_->cells, kBytes, bytes, length);
}

void PacketRows::appendValue(const QVariant& value)
{
    d_->writeCell(value);
}

} // namespace db
