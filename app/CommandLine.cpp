#include "CommandLine.h"

#include "ConfigLocations.h"
#include "HeadlessRun.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace app {

namespace {

const QStringList kOptionNames{QStringLiteral("help"),    QStringLiteral("h"),       QStringLiteral("?"),
                               QStringLiteral("version"), QStringLiteral("v"),       QStringLiteral("preview"),
                               QStringLiteral("post"),    QStringLiteral("replace"), QStringLiteral("date"),
                               QStringLiteral("report")};

QString optionName(const QString& argument)
{
    QString name = argument;
    while (name.startsWith(u'-'))
        name.remove(0, 1);
    return name.section(u'=', 0, 0);
}

QString whereConfigIsLooked(const QString& executableFolder)
{
    QString text = QStringLiteral("\ndbconfig.txt is looked for in this order; the first found is used, "
                                  "else the built-in defaults:\n");
    for (const QString& candidate : dbConfigCandidates(executableFolder))
        text += QStringLiteral("  %1%2\n").arg(candidate, QFileInfo::exists(candidate) ? QStringLiteral("  (found)")
                                                                                       : QString());
    return text;
}

QString exitCodes()
{
    return QStringLiteral("\nExit codes: 0 all written (or previewed) with no supplier skipped for a fault, 1 a "
                          "failure, 2 an earlier opening run exists and --replace was not given, 3 another "
                          "workstation is running the opening, 4 bad arguments or configuration, 5 done, but "
                          "suppliers were skipped for faults in their data (a negative balance, one that is no "
                          "number, a text too long for its column, a repeated code), each named on standard "
                          "error.\n");
}

} // namespace

bool wantsCommandLine(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments.at(i).startsWith(u'-') && kOptionNames.contains(optionName(arguments.at(i))))
            return true;
    return false;
}

int runCommandLine(const QStringList& arguments, const QString& executableFolder)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "廠商期初帳款開帳作業: supplier opening balances. Without options the window opens; with --preview or "
        "--post the opening run works without a window, on the same dbconfig.txt."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption preview(QStringLiteral("preview"),
                                     QStringLiteral("Print every document the run would write; write nothing."));
    const QCommandLineOption post(QStringLiteral("post"), QStringLiteral("Run the opening and print its account."));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("With --post: replace an earlier opening run."));
    const QCommandLineOption date(QStringLiteral("date"), QStringLiteral("The opening base date."),
                                  QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("Also write the per-supplier account (or the preview) as CSV."),
                                    QStringLiteral("FILE.csv"));
    parser.addOptions({preview, post, replace, date, report});

    const auto bad = [&err](const QString& message) {
        err << message << QStringLiteral("\nSee --help.\n");
        return kBadArguments;
    };
    if (!parser.parse(arguments))
        return bad(parser.errorText());
    if (parser.isSet(help)) {
        out << parser.helpText() << whereConfigIsLooked(executableFolder) << exitCodes();
        return kAllWritten;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << u' ' << QCoreApplication::applicationVersion() << u'\n';
        return kAllWritten;
    }
    if (!parser.positionalArguments().isEmpty())
        return bad(QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first()));
    if (parser.isSet(preview) == parser.isSet(post))
        return bad(QStringLiteral("Give either --preview or --post."));
    if (parser.isSet(replace) && !parser.isSet(post))
        return bad(QStringLiteral("--replace goes with --post."));
    HeadlessOptions options;
    options.post = parser.isSet(post);
    options.replace = parser.isSet(replace);
    options.report = parser.value(report);
    options.baseDate = QDate::fromString(parser.value(date), Qt::ISODate);
    if (!options.baseDate.isValid())
        return bad(QStringLiteral("--date needs the opening base date as YYYY-MM-DD."));
    return runHeadless(options, executableFolder, out, err);
}

} // namespace app
