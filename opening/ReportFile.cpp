#include "ReportFile.h"
#include "Text.h"

#include <QFileInfo>
#include <QSaveFile>

namespace opening {

QString reportRefusal(const QString& path, bool replaceExisting)
{
    const QFileInfo file(path);
    if (file.isSymLink())
        return Text::tr("「%1」是符號連結，報表不經由連結寫入。").arg(path);
    if (!file.exists())
        return {};
    if (!file.isFile())
        return Text::tr("「%1」不是一般檔案，報表不會寫在它上面。").arg(path);
    if (!replaceExisting)
        return Text::tr("「%1」已存在，未覆寫；要取代它請加上 --force。").arg(path);
    return {};
}

bool openOwnerOnly(QSaveFile& file)
{
    return file.open(QIODevice::WriteOnly) && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace opening
