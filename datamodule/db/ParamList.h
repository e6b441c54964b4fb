#pragma once

#include <QString>
#include <QStringList>

namespace db {

// The connection's parameter list: ordered "name=value" lines. Names are found without regard to
// letter case; lines are kept exactly as written, blank ones included.
class ParamList {
public:
    ParamList() = default;
    explicit ParamList(QStringList lines) : lines_(std::move(lines)) {}

    const QStringList& lines() const { return lines_; }
    void clear() { lines_.clear(); }
    bool contains(const QString& name) const { return indexOf(name) >= 0; }
    // The value of the first line with that name; empty text when there is none.
    QString value(const QString& name) const;
    // Replaces the value of the first line with that name, or appends a line.
    void setValue(const QString& name, const QString& value);
    // setValue for each "name=value" line, in order.
    void setValues(const QStringList& lines);
    // Replaces the whole list with the file's lines. A byte-order mark selects UTF-8 or UTF-16;
    // without one the system's 8-bit code page is used. CR LF, LF and CR end a line.
    // Throws std::runtime_error with the system's file error when the file cannot be read, and
    // when it is no regular file or larger than kLargestFile: no parameter list is that long.
    void loadFromFile(const QString& path);
    static constexpr qsizetype kLargestFile = 64 * 1024;
    // The same from the file's bytes.
    void loadFromBytes(const QByteArray& bytes);
    // The file the list was last loaded from; empty when it was never loaded from one.
    const QString& source() const { return source_; }

private:
    int indexOf(const QString& name) const;
    QStringList lines_;
    QString source_;
};

} // namespace db
