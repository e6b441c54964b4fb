#include "XlsxSheet.h"
#include "Text.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>

#include <optional>

namespace balanceimport {

namespace {

// A part of the archive larger than this, unpacked, is no balances list (and may be a zip bomb).
constexpr quint64 kLargestPart = 256ull * 1024 * 1024;
constexpr qsizetype kMostCells = 5'000'000;

class Archive {
public:
    explicit Archive(const QByteArray& bytes) : bytes_(bytes), buffer_(&bytes_), zip_(&buffer_)
    {
        opened_ = zip_.open(QuaZip::mdUnzip);
    }
    bool opened() const { return opened_; }

    // The part's bytes; nothing when it is missing, too large or unreadable.
    std::optional<QByteArray> part(const QString& name)
    {
        if (!zip_.setCurrentFile(name, QuaZip::csInsensitive))
            return std::nullopt;
        QuaZipFileInfo64 info;
        if (!zip_.getCurrentFileInfo(&info) || info.uncompressedSize > kLargestPart)
            return std::nullopt;
        QuaZipFile file(&zip_);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        QByteArray bytes = file.readAll();
        file.close();
        if (file.getZipError() != UNZ_OK || static_cast<quint64>(bytes.size()) != info.uncompressedSize)
            return std::nullopt;
        return bytes;
    }

private:
    QByteArray bytes_;
    QBuffer buffer_;
    QuaZip zip_;
    bool opened_ = false;
};

// The text of the element the reader stands on, with every <t> inside it (rich text runs) joined.
QString textsWithin(QXmlStreamReader& xml)
{
    QString text;
    const QString end = xml.name().toString();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"t")
            text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.isEndElement() && xml.name() == end)
            break;
    }
    return text;
}

QStringList sharedStrings(const QByteArray& bytes)
{
    QStringList strings;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            strings << textsWithin(xml);
    }
    return strings;
}

// The archive's path of the workbook's first sheet.
std::optional<QString> firstSheetPath(Archive& archive)
{
    const std::optional<QByteArray> workbook = archive.part(QStringLiteral("xl/workbook.xml"));
    const std::optional<QByteArray> relations = archive.part(QStringLiteral("xl/_rels/workbook.xml.rels"));
    if (!workbook || !relations)
        return std::nullopt;
    QString id;
    QXmlStreamReader book(*workbook);
    while (!book.atEnd() && id.isEmpty()) {
        book.readNext();
        if (book.isStartElement() && book.name() == u"sheet")
            for (const QXmlStreamAttribute& attribute : book.attributes())
                if (attribute.name() == u"id")  // r:id, whatever the prefix is bound to
                    id = attribute.value().toString();
    }
    QXmlStreamReader links(*relations);
    while (!links.atEnd()) {
        links.readNext();
        if (links.isStartElement() && links.name() == u"Relationship" && links.attributes().value(QStringLiteral("Id")) == id) {
            const QString target = links.attributes().value(QStringLiteral("Target")).toString();
            return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
        }
    }
    return std::nullopt;
}

// "BC12" → column 54 (from 0) and row 12; nothing for what is no cell reference.
std::optional<std::pair<int, int>> cellAt(QStringView reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference.at(i).isLetter(); ++i) {
        column = column * 26 + (reference.at(i).toUpper().unicode() - u'A' + 1);
        if (column > 16384)
            return std::nullopt;
    }
    bool ok = false;
    const int row = reference.mid(i).toInt(&ok);
    if (i == 0 || !ok || row < 1 || row > 1'048'576)
        return std::nullopt;
    return std::pair{column - 1, row};
}

} // namespace

Sheet readXlsx(const QByteArray& bytes, const QString& name)
{
    Sheet sheet;
    sheet.encoding = QStringLiteral("xlsx");
    Archive archive(bytes);
    const std::optional<QString> path = archive.opened() ? firstSheetPath(archive) : std::nullopt;
    const std::optional<QByteArray> data = path ? archive.part(*path) : std::nullopt;
    if (!data) {
        sheet.error = Text::tr("%1 不是可讀的 Excel 活頁簿（.xlsx）").arg(name);
        return sheet;
    }
    const QStringList strings = sharedStrings(archive.part(QStringLiteral("xl/sharedStrings.xml")).value_or(QByteArray()));

    QXmlStreamReader xml(*data);
    qsizetype cells = 0;
    int nextRow = 1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"row") {
            const int number = xml.attributes().value(QStringLiteral("r")).toInt();
            nextRow = number > 0 ? number : nextRow;
            continue;
        }
        if (xml.name() != u"c")
            continue;
        const std::optional<std::pair<int, int>> at = cellAt(xml.attributes().value(QStringLiteral("r")));
        const int column = at ? at->first : 0;
        const int row = at ? at->second : nextRow;
        const QString type = xml.attributes().value(QStringLiteral("t")).toString();
        QString value;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"v")
                value = xml.readElementText();
            else if (xml.isStartElement() && xml.name() == u"is")
                value = textsWithin(xml);
            else if (xml.isEndElement() && xml.name() == u"c")
                break;
        }
        if (type == u"s") {
            bool ok = false;
            const qsizetype index = value.toLongLong(&ok);
            value = ok && index >= 0 && index < strings.size() ? strings.at(index) : QString();
        }
        if (++cells > kMostCells || row > sheet.rows.size() + 1'000'000) {
            sheet.error = Text::tr("%1 的第一個工作表超過 %2 格，不是期初餘額表").arg(name).arg(kMostCells);
            return sheet;
        }
        while (sheet.rows.size() < row)
            sheet.rows.push_back({});
        QStringList& cellsOfRow = sheet.rows[row - 1];
        while (cellsOfRow.size() <= column)
            cellsOfRow << QString();
        cellsOfRow[column] = value;
        nextRow = row;
    }
    if (xml.hasError())
        sheet.error = Text::tr("%1 的工作表內容有誤：%2").arg(name, xml.errorString());
    return sheet;
}

} // namespace balanceimport
