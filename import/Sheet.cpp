#include "Sheet.h"
#include "Text.h"

#include "TextSheet.h"
#include "XlsxSheet.h"

#include <QFile>
#include <QFileInfo>

namespace balanceimport {

Sheet readSheet(const QString& path, Encoding encoding)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, {}, Text::tr("無法開啟 %1：%2").arg(path, file.errorString())};
    if (!QFileInfo(path).isFile() || file.size() > kLargestFile)
        return {{}, {}, Text::tr("%1 過大或不是一般檔案（最多 %2 MB）").arg(name).arg(kLargestFile / 1024 / 1024)};
    // Read no further than the bound, whatever the file claims to be.
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile)
        return {{}, {}, Text::tr("%1 過大（最多 %2 MB）").arg(name).arg(kLargestFile / 1024 / 1024)};
    return readSheetBytes(bytes, name, encoding);
}

Sheet readSheetBytes(const QByteArray& bytes, const QString& name, Encoding encoding)
{
    if (bytes.trimmed().isEmpty())
        return {{}, {}, Text::tr("%1 是空的檔案").arg(name)};
    // A zip archive: the only kind of archive a spreadsheet comes as.
    if (bytes.startsWith("PK\x03\x04"))
        return readXlsx(bytes, name);
    const DecodedText text = decodeText(bytes, encoding);
    if (!text.error.isEmpty())
        return {{}, text.encoding, QStringLiteral("%1 %2").arg(name, text.error)};
    return {parseDelimited(text.text), text.encoding, {}};
}

bool encodingNamed(const QString& name, Encoding* encoding)
{
    const QString key = name.trimmed().toLower();
    const std::pair<const char*, Encoding> names[] = {{"auto", Encoding::Automatic}, {"utf-8", Encoding::Utf8},
                                                      {"utf8", Encoding::Utf8},      {"utf-16", Encoding::Utf16},
                                                      {"utf16", Encoding::Utf16},    {"big5", Encoding::Big5},
                                                      {"cp950", Encoding::Big5}};
    for (const auto& [known, value] : names)
        if (key == QLatin1String(known)) {
            *encoding = value;
            return true;
        }
    return false;
}

} // namespace balanceimport
