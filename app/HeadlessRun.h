#pragma once

#include <QDate>
#include <QString>

class QTextStream;

namespace app {

// How a run from the command line ends, as its exit code.
enum ExitCode : int {
    kAllWritten = 0,        // the preview, or every document written
    kFailed = 1,            // a failure: the message is on standard error
    kEarlierRunExists = 2,  // --post without --replace found an earlier opening run: nothing written
    kOtherWorkstation = 3,  // another workstation's run is in progress: nothing written
    kBadArguments = 4,      // bad arguments or configuration
    kDataFaults = 5,        // done, but suppliers were skipped for faults in their data (each on standard
                            // error), or the check found the stored documents differ
};

struct HeadlessOptions {
    enum class Action { Preview, Post, Verify, History, Import };
    Action action = Action::Preview;
    bool replace = false;  // with Post: replace an earlier opening run
    QDate baseDate;
    QString report;        // a CSV or PDF file to write, or empty
    QString importFile;    // with Import: the spreadsheet of opening balances
    bool apply = false;    // with Import: write it, else only show the difference
    QString encoding;      // with Import: how a text file is read ("auto", "utf-8", "utf-16", "big5")
    QStringList columns;   // with Import: the operator's own columns for code, unpaid and prepaid
};

// Whether the report asked for is the printed one (a PDF file) rather than a table (CSV).
bool isPdfReport(const QString& path);

// The opening engine without a window, on the connection dbconfig.txt describes: a preview
// prints every document the run would write and writes nothing; a post runs and prints its
// account; a check prints every difference between the stored opening documents and the list;
// the history prints the record of runs. A preview or post names every supplier skipped for a
// fault on standard error. Returns the exit code.
int runHeadless(const HeadlessOptions& options, const QString& executableFolder, QTextStream& out, QTextStream& err);

} // namespace app
