#include "platform/pad_printer.h"

#include "platform/page_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <climits>
#include <cmath>
#include <memory>
#include <vector>

namespace vek::editor {

namespace {

struct PageFrame {
    double width = 0, height = 0;
    double lineHeight = 0;  // h
    double textTop = 0, textBottom = 0;
};

PageFrame measure(QPrinter &printer, const PrintJob &job) {
    PageFrame frame;
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    frame.width = area.width();
    frame.height = area.height();
    frame.lineHeight = QFontMetricsF(job.font, &printer).height();
    const double q = std::floor(frame.lineHeight / 4);
    frame.textTop = job.header.isEmpty() ? 0 : frame.lineHeight + 2 * q;
    frame.textBottom = frame.height - (job.footer.isEmpty() ? 0 : frame.lineHeight + 2 * q);
    return frame;
}

void drawHeaderAndFooter(QPainter &painter, const PageFrame &frame, const PrintJob &job, int page) {
    const double h = frame.lineHeight, q = std::floor(h / 4);
    if (!job.header.isEmpty()) {
        const QDateTime time = pageTextTime(job.headerTime, job.pathOrTitle, job.fileTime, job.printTime);
        painter.drawText(QRectF(0, 0, frame.width, h), Qt::AlignLeft | Qt::AlignTop,
                         expandPageText(job.header, page, job.pathOrTitle, time));
        painter.drawLine(QPointF(0, h + q), QPointF(frame.width, h + q));
    }
    if (!job.footer.isEmpty()) {
        const QDateTime time = pageTextTime(job.footerTime, job.pathOrTitle, job.fileTime, job.printTime);
        const double top = frame.height - h;
        painter.drawText(QRectF(0, top, frame.width, h), Qt::AlignLeft | Qt::AlignTop,
                         expandPageText(job.footer, page, job.pathOrTitle, time));
        painter.drawLine(QPointF(0, top - q), QPointF(frame.width, top - q));
    }
}

// Lays out every line of the text at the page width.
std::vector<std::unique_ptr<QTextLayout>> layOut(const PrintJob &job, QPrinter &printer, double width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const double character = QFontMetricsF(job.font, &printer).horizontalAdvance(QLatin1Char('x'));
    option.setTabStopDistance(std::max(4, job.tabStops) / 4.0 * character);
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    for (const QString &line : job.text.split('\n')) {
        auto layout = std::make_unique<QTextLayout>(line, job.font, &printer);
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine row = layout->createLine(); row.isValid(); row = layout->createLine())
            row.setLineWidth(width);
        layout->endLayout();
        layouts.push_back(std::move(layout));
    }
    return layouts;
}

class PageSequence {
public:
    PageSequence(QPrinter &printer, QPainter &painter, const PageFrame &frame, const PrintJob &job)
        : m_printer(printer), m_painter(painter), m_frame(frame), m_job(job) {
        m_first = printer.fromPage() > 0 ? printer.fromPage() : 1;
        m_last = printer.toPage() > 0 ? printer.toPage() : INT_MAX;
    }

    bool printing() const { return m_page >= m_first && m_page <= m_last; }

    void startPage() {
        ++m_page;
        if (!printing())
            return;
        if (m_started)
            m_printer.newPage();
        m_started = true;
        drawHeaderAndFooter(m_painter, m_frame, m_job, m_page);
    }

    int page() const { return m_page; }

private:
    QPrinter &m_printer;
    QPainter &m_painter;
    const PageFrame &m_frame;
    const PrintJob &m_job;
    int m_page = 0;
    int m_first = 1, m_last = INT_MAX;
    bool m_started = false;
};

}  // namespace

int printDocument(QPrinter &printer, const PrintJob &job) {
    QPainter painter(&printer);
    if (!painter.isActive())
        return -1;
    painter.setFont(job.font);
    painter.setPen(QPen(Qt::black, 0));
    const PageFrame frame = measure(printer, job);
    const auto layouts = layOut(job, printer, frame.width);

    PageSequence pages(printer, painter, frame, job);
    pages.startPage();
    double y = frame.textTop;
    for (const auto &layout : layouts) {
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine row = layout->lineAt(i);
            if (y + row.height() > frame.textBottom && y > frame.textTop) {
                pages.startPage();
                y = frame.textTop;
            }
            if (pages.printing())
                row.draw(&painter, QPointF(0, y - row.y()));
            y += row.height();
        }
    }
    return pages.page();
}

}  // namespace vek::editor
