#pragma once

#include "OpeningReport.h"

class QPagedPaintDevice;

// Lays the opening report out on the device's pages: the heading on the first, the documents'
// table with its header on every page and the page's subtotal under it, then the skipped
// suppliers, failures, totals, the check's verdict and the lines to sign; "第 n 頁，共 m 頁" at
// the foot of each.
void paintReport(QPagedPaintDevice& device, const opening::OpeningReport& report);

// The report as a PDF file on A4, written whole or not at all and readable by its owner only;
// false when it could not be written.
bool writeReportPdf(const QString& path, const opening::OpeningReport& report);
