#include "Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace app {

namespace {

// "--lang=en", or "--lang en".
QString askedFor(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument.startsWith(QStringLiteral("--lang=")))
            return argument.section(u'=', 1);
        if (argument == QStringLiteral("--lang"))
            return arguments.value(i + 1);
    }
    return {};
}

QTranslator* install(const QString& file, const QString& folder)
{
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (!translator->load(file, folder))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator.release();  // lives with the application, its parent
}

} // namespace

Language chosenLanguage(const QStringList& arguments)
{
    const QString asked = askedFor(arguments).toLower();
    if (asked.startsWith(QStringLiteral("zh")))
        return Language::Chinese;
    if (asked.startsWith(QStringLiteral("en")))
        return Language::English;
    const QLocale::Language workstation = QLocale::system().language();
    return workstation == QLocale::Chinese || workstation == QLocale::C ? Language::Chinese : Language::English;
}

QTranslator* useLanguage(Language language)
{
    if (language == Language::Chinese)
        return install(QStringLiteral("qtbase_zh_TW"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return install(QStringLiteral("suppbeforestart_en"), QStringLiteral(":/translations"));
}

} // namespace app
