#include "ReportPages.h"
#include "Text.h"

#include "MingFont.h"
#include "ReportFile.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

using opening::OpeningReport;

// The documents' columns as parts of the page's width; amounts from the fifth on.
constexpr double kColumnShares[] = {0.10, 0.24, 0.07, 0.15, 0.11, 0.11, 0.09, 0.13};
constexpr int kFirstAmount = 4;

// One pass over the report: with a painter it draws, without one it only counts the pages.
class Pages {
public:
    Pages(QPagedPaintDevice& device, const OpeningReport& report, QPainter* painter, int pageCount)
        : device_(device), report_(report), painter_(painter), pageCount_(pageCount)
    {
        body_ = mingFont();
        body_.setPointSizeF(9);
        bold_ = body_;
        bold_.setBold(true);
        title_ = bold_;
        title_.setPointSizeF(15);
        lineHeight_ = QFontMetricsF(body_, &device_).height() * 1.4;
        width_ = device_.width();
        height_ = device_.height();
    }

    int run()
    {
        drawTitle();
        for (const QString& line : report_.heading)
            drawWrapped(line, body_);
        y_ += lineHeight_ / 2;
        tableHeader();
        for (const OpeningReport::Row& row : report_.documents) {
            // Room for the row, the page's subtotal and the foot.
            if (y_ + 2 * lineHeight_ > bottom()) {
                subtotal();
                newPage();
                tableHeader();
            }
            drawRow({row.code, row.name, row.kind, row.number, text(row.balance), row.bill ? text(row.net) : QString(),
                     row.bill ? text(row.tax) : QString(), text(row.total)},
                    body_);
            pageRows_ << row;
        }
        subtotal();
        y_ += lineHeight_ / 2;
        section(Text::tr("略過的廠商"), report_.skipped);
        section(Text::tr("存檔失敗"), report_.failures);
        section(Text::tr("合計"), report_.totals);
        section(Text::tr("核對"), {report_.verdict});
        signatures();
        foot();
        return page_;
    }

private:
    double bottom() const { return height_ - lineHeight_ * 1.5; }

    QString text(opening::Money amount) const { return amount.text(report_.places); }

    void newPage()
    {
        foot();
        if (painter_)
            device_.newPage();
        ++page_;
        y_ = 0;
        drawText(QRectF(0, y_, width_, lineHeight_), report_.title + Text::tr("（續）"), body_, Qt::AlignLeft);
        y_ += lineHeight_;
    }

    void foot()
    {
        drawText(QRectF(0, height_ - lineHeight_, width_, lineHeight_),
                 Text::tr("第 %1 頁，共 %2 頁").arg(page_).arg(pageCount_), body_, Qt::AlignHCenter);
    }

    void drawTitle()
    {
        const double height = QFontMetricsF(title_, &device_).height() * 1.5;
        drawText(QRectF(0, y_, width_, height), report_.title, title_, Qt::AlignHCenter);
        y_ += height;
    }

    void drawWrapped(const QString& line, const QFont& font)
    {
        const QRectF bounds = QFontMetricsF(font, &device_)
                                  .boundingRect(QRectF(0, 0, width_, 1e9), Qt::TextWordWrap | Qt::AlignLeft, line);
        const double height = std::max(lineHeight_, bounds.height() + lineHeight_ * 0.4);
        if (y_ + height > bottom())
            newPage();
        drawText(QRectF(0, y_, width_, height), line, font, Qt::AlignLeft, Qt::TextWordWrap);
        y_ += height;
    }

    void tableHeader()
    {
        drawRow(report_.columns, bold_);
        if (painter_)
            painter_->drawLine(QPointF(0, y_), QPointF(width_, y_));
    }

    void drawRow(const QStringList& cells, const QFont& font)
    {
        double x = 0;
        for (int i = 0; i < cells.size(); ++i) {
            const double cellWidth = kColumnShares[i] * width_;
            const Qt::Alignment align = i >= kFirstAmount ? Qt::AlignRight : Qt::AlignLeft;
            // A long name is cut at its column, with a mark that says so.
            const QString shown = QFontMetricsF(font, &device_).elidedText(cells.at(i), Qt::ElideRight, cellWidth * 0.96);
            drawText(QRectF(x + cellWidth * 0.02, y_, cellWidth * 0.96, lineHeight_), shown, font, align);
            x += cellWidth;
        }
        y_ += lineHeight_;
    }

    // What the page's rows add up to, so that a page can be checked on its own.
    void subtotal()
    {
        opening::MoneySum balance, net, tax, total;
        for (const OpeningReport::Row& row : pageRows_) {
            balance += row.balance;
            total += row.total;
            if (row.bill) {
                net += row.net;
                tax += row.tax;
            }
        }
        if (painter_)
            painter_->drawLine(QPointF(0, y_), QPointF(width_, y_));
        drawRow({Text::tr("本頁小計"), Text::tr("%1 筆").arg(pageRows_.size()), {}, {},
                 balance.text(report_.places), net.text(report_.places), tax.text(report_.places),
                 total.text(report_.places)},
                bold_);
        pageRows_.clear();
    }

    void section(const QString& heading, const QStringList& lines)
    {
        if (lines.isEmpty())
            return;
        drawWrapped(heading, bold_);
        for (const QString& line : lines)
            drawWrapped(line, body_);
        y_ += lineHeight_ / 2;
    }

    void signatures()
    {
        if (y_ + 3 * lineHeight_ > bottom())
            newPage();
        y_ += lineHeight_;
        const double half = width_ / 2;
        for (int i = 0; i < report_.signatures.size(); ++i)
            drawText(QRectF(i * half, y_, half, lineHeight_), report_.signatures.at(i) + Text::tr("：＿＿＿＿＿＿＿＿＿＿"),
                     body_, Qt::AlignLeft);
        y_ += lineHeight_;
    }

    void drawText(const QRectF& rect, const QString& text, const QFont& font, Qt::Alignment align, int flags = 0)
    {
        if (!painter_)
            return;
        painter_->setFont(font);
        painter_->drawText(rect, static_cast<int>(align | Qt::AlignVCenter) | flags, text);
    }

    QPagedPaintDevice& device_;
    const OpeningReport& report_;
    QPainter* painter_;
    int pageCount_;
    QFont body_;
    QFont bold_;
    QFont title_;
    double lineHeight_ = 0;
    double width_ = 0;
    double height_ = 0;
    double y_ = 0;
    int page_ = 1;
    QVector<OpeningReport::Row> pageRows_;
};

} // namespace

void paintReport(QPagedPaintDevice& device, const OpeningReport& report)
{
    const int pages = Pages(device, report, nullptr, 0).run();
    QPainter painter(&device);
    Pages(device, report, &painter, pages).run();
}

bool writeReportPdf(const QString& path, const OpeningReport& report)
{
    QSaveFile file(path);
    if (!opening::openOwnerOnly(file))
        return false;
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(report.title);
        pdf.setCreator(QStringLiteral("suppbeforestart"));
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                      QPageLayout::Millimeter));
        paintReport(pdf, report);
    }
    return file.commit();
}
