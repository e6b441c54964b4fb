#include "ParamList.h"
#include "Text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <stdexcept>

namespace db {

namespace {
QString nameOf(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? line : line.left(eq);
}

QString decode(const QByteArray& bytes)
{
    if (auto encoding = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*encoding);
        return decoder.decode(bytes);
    }
    QStringDecoder decoder(QStringConverter::System);
    return decoder.decode(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}
} // namespace

int ParamList::indexOf(const QString& name) const
{
    for (int i = 0; i < lines_.size(); ++i)
        if (nameOf(lines_.at(i)).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString ParamList::value(const QString& name) const
{
    const int i = indexOf(name);
    if (i < 0)
        return {};
    const QString& line = lines_.at(i);
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.mid(eq + 1);
}

void ParamList::setValue(const QString& name, const QString& value)
{
    const int i = indexOf(name);
    const QString line = name + u'=' + value;
    if (i < 0)
        lines_ << line;
    else
        lines_[i] = nameOf(lines_.at(i)) + u'=' + value;
}

void ParamList::setValues(const QStringList& lines)
{
    for (const QString& line : lines)
        setValue(line.section(u'=', 0, 0), line.section(u'=', 1));
}

void ParamList::loadFromFile(const QString& path)
{
    // A link to a device (/dev/zero) would be read without end, a pipe would wait for a writer.
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        throw std::runtime_error(Text::tr("「%1」不是一般檔案，無法作為連線設定。").arg(path).toStdString());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()).toStdString());
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile)
        throw std::runtime_error(
            Text::tr("「%1」超過 %2 KiB，不是連線設定檔。").arg(path).arg(kLargestFile / 1024).toStdString());
    loadFromBytes(bytes);
    source_ = path;
}

void ParamList::loadFromBytes(const QByteArray& bytes)
{
    lines_ = splitLines(decode(bytes));
}

} // namespace db
