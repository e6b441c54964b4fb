#include "CommandLine.h"
#include "Text.h"

#include "ConfigLocations.h"
#include "HeadlessRun.h"
#include "ReportFile.h"
#include "TerminalOutput.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace app {

namespace {

QString optionName(const QString& argument)
{
    QString name = argument;
    while (name.startsWith(u'-'))
        name.remove(0, 1);
    return name.section(u'=', 0, 0);
}

// Qt's own options of a window, which QGuiApplication and QApplication take out of the arguments
// themselves ("-platform offscreen", "-style=fusion"; "--" works as "-"), and whether a value
// follows as the next argument.
struct QtWindowOption {
    QLatin1StringView name;
    bool takesValue;
};
constexpr QtWindowOption kQtWindowOptions[] = {
    {QLatin1StringView("platform"), true},        {QLatin1StringView("platformpluginpath"), true},
    {QLatin1StringView("platformtheme"), true},   {QLatin1StringView("plugin"), true},
    {QLatin1StringView("qwindowgeometry"), true}, {QLatin1StringView("geometry"), true},
    {QLatin1StringView("qwindowtitle"), true},    {QLatin1StringView("title"), true},
    {QLatin1StringView("qwindowicon"), true},     {QLatin1StringView("icon"), true},
    {QLatin1StringView("display"), true},         {QLatin1StringView("name"), true},
    {QLatin1StringView("session"), true},         {QLatin1StringView("style"), true},
    {QLatin1StringView("stylesheet"), true},      {QLatin1StringView("qmljsdebugger"), false},
    {QLatin1StringView("reverse"), false},        {QLatin1StringView("widgetcount"), false},
    {QLatin1StringView("testability"), false},    {QLatin1StringView("nograb"), false},
    {QLatin1StringView("dograb"), false},         {QLatin1StringView("sync"), false},
};

// How many arguments from `i` on make one option the window itself takes (one of Qt's, --lang
// or --verbose); 0 for anything else.
qsizetype windowArguments(const QStringList& arguments, qsizetype i)
{
    const QString& argument = arguments.at(i);
    if (!argument.startsWith(u'-'))
        return 0;
    const QString name = optionName(argument);
    const bool valueAttached = argument.contains(u'=');
    if (argument.startsWith(QStringLiteral("--"))) {
        if (name == u"lang")
            return valueAttached ? 1 : 2;
        if (name == u"verbose")
            return 1;
    }
    for (const QtWindowOption& option : kQtWindowOptions)
        if (name == option.name)
            return option.takesValue && !valueAttached ? 2 : 1;
    return 0;
}

QString whereConfigIsLooked(const QString& executableFolder)
{
    QString text = installedProgram(executableFolder)
                       ? QStringLiteral("\ndbconfig.txt is looked for in this order; the first found is used "
                                        "(without one nothing is connected):\n")
                       : QStringLiteral("\ndbconfig.txt is looked for in this order; the first found is used, "
                                        "else the built-in defaults:\n");
    for (const QString& candidate : dbConfigCandidates(executableFolder))
        text += QStringLiteral("  %1%2\n").arg(shownPath(candidate), QFileInfo::exists(candidate)
                                                                         ? QStringLiteral("  (found)")
                                                                         : QString());
    return text;
}

QString exitCodes()
{
    return QStringLiteral("\nExit codes: 0 all written (or previewed, or every document ties) with no supplier "
                          "skipped for a fault, 1 a failure (among them a server that did not answer within calltimeout "
                          "seconds of dbconfig.txt, default 60: the run stops, what it wrote stays, and a re-run "
                          "with --replace replaces it), or a run stopped by SIGTERM or SIGINT (after the supplier under "
                          "way; what was written stays), 2 an earlier opening run exists and --replace was not "
                          "given, 3 another workstation is running the opening, 4 bad arguments or configuration (an "
                          "unknown option, a fault of dbconfig.txt, a report file refused), "
                          "5 done, but suppliers were skipped for faults in their data (a negative balance, one that "
                          "is no number, a text too long for its column, a repeated code), each named on standard "
                          "error, or the stored documents differ from the list.\n");
}

} // namespace

bool wantsCommandLine(const QStringList& arguments)
{
    // Anything the window does not take itself (an unknown option, a stray word) goes to the
    // command line, which refuses it with its usage, instead of opening the window unasked.
    for (qsizetype i = 1; i < arguments.size();) {
        const qsizetype taken = windowArguments(arguments, i);
        if (taken == 0)
            return true;
        i += taken;
    }
    return false;
}

bool wantsPrintedReport(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (optionName(argument) != QStringLiteral("report") || !argument.startsWith(u'-'))
            continue;
        const QString value = argument.contains(u'=') ? argument.section(u'=', 1) : arguments.value(i + 1);
        if (isPdfReport(value))
            return true;
    }
    return false;
}

int runCommandLine(const QStringList& arguments, const QString& executableFolder)
{
    TerminalOutput standardOutput(stdout);
    TerminalOutput standardError(stderr);
    QTextStream out(&standardOutput);
    QTextStream err(&standardError);
    QCommandLineParser parser;
    parser.setApplicationDescription(Text::tr("廠商期初帳款開帳作業: supplier opening balances. Without options the window opens; with --preview, "
        "--post, --verify or --history the opening works without a window, on the same dbconfig.txt."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption preview(QStringLiteral("preview"),
                                     QStringLiteral("Print every document the run would write; write nothing."));
    const QCommandLineOption post(QStringLiteral("post"), QStringLiteral("Run the opening and print its account."));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("With --post: replace an earlier opening run."));
    const QCommandLineOption date(QStringLiteral("date"), QStringLiteral("The opening base date."),
                                  QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption verify(
        QStringLiteral("verify"),
        QStringLiteral("Check the stored opening documents against the list: print every difference; write nothing."));
    const QCommandLineOption history(QStringLiteral("history"),
                                     QStringLiteral("Print the record of every opening run, newest first."));
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("Also write the documents (of the preview or the run) as CSV, or, named .pdf, the printed opening "
                       "report of the run (--post) or of the stored documents (--verify)."),
        QStringLiteral("FILE.csv|FILE.pdf"));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("With --report: replace an existing report file (a symbolic link or anything but a "
                                                  "regular file is never written)."));
    const QCommandLineOption import(
        QStringLiteral("import"),
        QStringLiteral("Compare the opening balances of a spreadsheet (.csv, .txt or .xlsx) with those stored; write "
                       "nothing."),
        QStringLiteral("FILE"));
    const QCommandLineOption apply(QStringLiteral("apply"),
                                   QStringLiteral("With --import: write the balances, all or none, after saving those "
                                                  "they replace beside the file."));
    const QCommandLineOption encoding(QStringLiteral("encoding"),
                                      QStringLiteral("With --import: how a text file is read (default: found)."),
                                      QStringLiteral("auto|utf-8|utf-16|big5"));
    const QCommandLineOption columns(
        QStringLiteral("columns"),
        QStringLiteral("With --import: the columns of the code, the unpaid and the prepaid balance, by header or number."),
        QStringLiteral("CODE,UNPAID,PREPAID"));
    const QCommandLineOption language(QStringLiteral("lang"),
                                      QStringLiteral("The language of the program's texts: zh (Traditional Chinese) or "
                                                     "en (English); by default the workstation's."),
                                      QStringLiteral("zh|en"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Log on standard error each statement with its time and each step of a "
                                                    "run or an import (the logging categories suppbeforestart.db, "
                                                    ".run and .import, which QT_LOGGING_RULES also switches)."));
    parser.addOptions(
        {preview, post, verify, history, import, apply, encoding, columns, replace, date, report, force, language, verbose});

    const auto bad = [&err, &parser](const QString& message) {
        err << message << u'\n' << parser.helpText().section(u'\n', 0, 0) << QStringLiteral("\nSee --help.\n");
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
    using Action = HeadlessOptions::Action;
    const std::pair<const QCommandLineOption*, Action> actions[] = {{&preview, Action::Preview},
                                                                    {&post, Action::Post},
                                                                    {&verify, Action::Verify},
                                                                    {&history, Action::History},
                                                                    {&import, Action::Import}};
    HeadlessOptions options;
    int chosen = 0;
    for (const auto& [option, action] : actions)
        if (parser.isSet(*option)) {
            options.action = action;
            ++chosen;
        }
    if (chosen != 1)
        return bad(QStringLiteral("Give one of --preview, --post, --verify, --history or --import."));
    if ((parser.isSet(apply) || parser.isSet(encoding) || parser.isSet(columns)) && options.action != Action::Import)
        return bad(QStringLiteral("--apply, --encoding and --columns go with --import."));
    options.importFile = parser.value(import);
    options.apply = parser.isSet(apply);
    options.encoding = parser.value(encoding);
    options.columns = parser.isSet(columns) ? parser.value(columns).split(u',') : QStringList();
    if (parser.isSet(replace) && options.action != Action::Post)
        return bad(QStringLiteral("--replace goes with --post."));
    options.replace = parser.isSet(replace);
    options.report = parser.value(report);
    if (!options.report.isEmpty() && (options.action == Action::History || options.action == Action::Import))
        return bad(QStringLiteral("--report goes with --preview, --post or --verify."));
    if (parser.isSet(force) && options.report.isEmpty())
        return bad(QStringLiteral("--force goes with --report."));
    // Refused before the run, so that nothing is written to the database for a report that
    // could not be saved.
    if (const QString refusal = opening::reportRefusal(options.report, parser.isSet(force)); !refusal.isEmpty())
        return bad(refusal);
    if (isPdfReport(options.report) && options.action == Action::Preview)
        return bad(QStringLiteral("The printed report (.pdf) is of a run or of the stored documents: use it with --post "
                                  "or --verify."));
    if (options.action != Action::History && options.action != Action::Import) {
        options.baseDate = QDate::fromString(parser.value(date), Qt::ISODate);
        if (!options.baseDate.isValid())
            return bad(QStringLiteral("--date needs the opening base date as YYYY-MM-DD."));
    }
    return runHeadless(options, executableFolder, out, err);
}

} // namespace app
