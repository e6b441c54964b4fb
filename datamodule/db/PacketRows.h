#pragma once

#include <QByteArray>
#include <QSharedDataPointer>
#include <QString>
#include <QVariant>
#include <QVector>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace db {

// The rows of a query result or record set, each row one value per column (null as an invalid
// QVariant). A list of a hundred thousand suppliers held as QVariants costs about 500 bytes a
// row; here the rows lie one after another in one block of bytes, each cell a kind byte and its
// value (texts as UTF-8), read back into the same QVariant on access. Copies share the block
// until one of them changes.
class PacketRows {
    struct Storage;

public:
    class const_iterator;
    // One row as read, valid while the rows it came from are neither changed nor gone.
    class Row {
    public:
        qsizetype size() const;
        QVariant at(qsizetype column) const;
        QVariant operator[](qsizetype column) const { return at(column); }
        QVector<QVariant> toVector() const;
        friend bool operator==(const Row& row, const QVector<QVariant>& values) { return row.toVector() == values; }

    private:
        friend class PacketRows;
        friend class const_iterator;
        Row(const Storage* storage, qsizetype row) : storage_(storage), row_(row) {}
        const Storage* storage_;
        qsizetype row_;
    };

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = Row;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = Row;

        Row operator*() const { return row_; }
        const_iterator& operator++()
        {
            ++row_.row_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++row_.row_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return row_.row_ == other.row_.row_; }

    private:
        friend class PacketRows;
        explicit const_iterator(Row row) : row_(row) {}
        Row row_;
    };

    // rows[r][c] = value on rows that may be changed: sets one cell.
    class CellRef {
    public:
        CellRef& operator=(const QVariant& value)
        {
            rows_.setCell(row_, column_, value);
            return *this;
        }
        operator QVariant() const { return std::as_const(rows_).at(row_).at(column_); }

    private:
        friend class PacketRows;
        CellRef(PacketRows& rows, qsizetype row, qsizetype column) : rows_(rows), row_(row), column_(column) {}
        PacketRows& rows_;
        qsizetype row_;
        qsizetype column_;
    };
    class RowRef {
    public:
        CellRef operator[](qsizetype column) { return CellRef(rows_, row_, column); }
        QVariant at(qsizetype column) const { return std::as_const(rows_).at(row_).at(column); }
        qsizetype size() const { return std::as_const(rows_).at(row_).size(); }

    private:
        friend class PacketRows;
        RowRef(PacketRows& rows, qsizetype row) : rows_(rows), row_(row) {}
        PacketRows& rows_;
        qsizetype row_;
    };

    PacketRows();
    PacketRows(std::initializer_list<QVector<QVariant>> rows);
    PacketRows(const PacketRows& other);
    PacketRows(PacketRows&& other) noexcept;
    PacketRows& operator=(const PacketRows& other);
    PacketRows& operator=(PacketRows&& other) noexcept;
    ~PacketRows();

    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }
    void clear();
    // Room for that many rows (and bytes of cells) before the block grows.
    void reserve(qsizetype rows, qsizetype bytes = 0);
    // Gives back the room the block grew by and no row uses.
    void squeeze();
    // Bytes held: the block, the row positions and the cells kept as QVariants.
    qsizetype memoryUsed() const;

    Row at(qsizetype row) const { return Row(storage(), row); }
    Row operator[](qsizetype row) const { return at(row); }
    RowRef operator[](qsizetype row) { return RowRef(*this, row); }
    const_iterator begin() const { return const_iterator(at(0)); }
    const_iterator end() const { return const_iterator(at(size())); }

    void append(const QVector<QVariant>& row);
    PacketRows& operator<<(const QVector<QVariant>& row)
    {
        append(row);
        return *this;
    }
    // Changes one cell. The row is written again at the end of the block unless it is the last
    // there already: meant for the few rows a record set's editing touches.
    void setCell(qsizetype row, qsizetype column, const QVariant& value);
    QVector<QVector<QVariant>> toVectors() const;

    // Writing a row cell by cell, for readers of query results: startRow with the number of
    // cells, then exactly that many appends.
    void startRow(qsizetype cells);
    void appendNull();
    void appendInteger(qint64 value);
    void appendDouble(double value);
    // Text given as UTF-8; it reads back as QString::fromUtf8 of these bytes.
    void appendUtf8(const char* bytes, qsizetype length);
    void appendText(const QString& text);
    void appendBytes(const char* bytes, qsizetype length);
    void appendValue(const QVariant& value);

private:
    const Storage* storage() const { return d_.constData(); }
    Storage& writable();

    QSharedDataPointer<Storage> d_;
};

} // namespace db
