#include "MingFont.h"

#include <QStringList>

QFont mingFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("新細明體"), QStringLiteral("PMingLiU"), QStringLiteral("AR PL UMing TW")});
    return font;
}
