#pragma once

#include "Check.h"
#include "RunRecord.h"

#include <QStringList>
#include <optional>

namespace opening {

// The opening report an accountant files: who opened the books where and when, every document
// written, what was skipped and why, the totals and how they tie, and whether the database still
// holds exactly that. The content only; report/ lays it out on pages.
struct OpeningReport {
    struct Row {
        QString code;
        QString name;
        QString kind;
        QString number;
        Money balance;
        Money net;
        Money tax;
        Money total;
        bool bill = true;  // a payment record has no net and tax of its own
    };

    QString title;
    QStringList heading;   // the company, the database, the base date, the run
    QStringList columns;   // of the documents' table
    QVector<Row> documents;
    QStringList skipped;   // suppliers skipped for a fault, with the reason
    QStringList failures;  // documents not stored, with the database's message
    QStringList totals;    // of each kind, and the reconciliation
    QString verdict;       // the check against the database
    QStringList signatures;
    int places = 0;        // decimals amounts are shown with at least
};

// The report of the documents as `suppliers` say them (a run's result, or the database's as the
// check found them), with the run's record where there is one and the check's verdict.
OpeningReport openingReport(const QVector<SupplierEntry>& suppliers, const Settings& settings, const QString& database,
                            const QDate& baseDate, const std::optional<RunRecord>& run, const CheckResult& check);

} // namespace opening
