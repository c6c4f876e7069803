#include "datareport.h"

#include "readingtable.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// Left edges, in millimetres from the left margin.
const double kHeaderX[ReadingTable::FieldCount] = {8.5, 33.9, 64.3, 99.5, 123.8, 163.0};
const double kDetailX[ReadingTable::FieldCount] = {8.5, 33.9, 65.6, 99.5, 123.8, 164.0};
const double kPrintDateLabelX = 158.8;
const double kPrintDateX = 171.5;
const double kPageLabelX = 8.5;
const double kPageNumberX = 24.3;
const double kOfLabelX = 31.8;
const double kTotalPagesX = 37.0;

QFont arial(int pointSize, bool bold = false, bool underline = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(pointSize);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

class MmPainter
{
public:
    MmPainter(QPainter &p, QPagedPaintDevice *device)
        : m_p(p), m_x(device->logicalDpiX() / 25.4), m_y(device->logicalDpiY() / 25.4)
    {}
    // Text in a cell starting at x, across the band from top to top+height.
    void text(double x, double top, double width, double height, const QString &s,
              int align = Qt::AlignLeft)
    {
        const QRectF r(x * m_x, top * m_y, width * m_x, height * m_y);
        m_p.drawText(r, align | Qt::AlignVCenter | Qt::TextSingleLine, s);
    }

private:
    QPainter &m_p;
    double m_x;
    double m_y;
};

} // namespace

DataReport::DataReport(const ReadingTable *table)
    : m_table(table), m_printDate(QDate::currentDate())
{
    prepare();
}

int DataReport::totalPages(int records)
{
    if (records <= RowsPerPage)
        return 1;
    return (records + RowsPerPage - 1) / RowsPerPage;
}

void DataReport::prepare()
{
    m_totalPagesText = QString::number(totalPages(m_table ? m_table->size() : 0));
}

void DataReport::setupPage(QPagedPaintDevice *device)
{
    device->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                      QPageLayout::Millimeter));
}

bool DataReport::render(QPagedPaintDevice *device)
{
    prepare();
    QPainter painter;
    if (!painter.begin(device))
        return false;
    MmPainter mm(painter, device);

    const QRectF area = device->pageLayout().paintRect(QPageLayout::Millimeter);
    const double width = area.width();
    const double footerTop = area.height() - PageFooterMm;
    const int records = m_table ? m_table->size() : 0;
    const int pages = totalPages(records);
    const QString date = QLocale::system().toString(m_printDate, QLocale::ShortFormat);

    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device->newPage();

        // Page header.
        painter.setFont(arial(14, true, true));
        mm.text(0, 0, width, PageHeaderMm, QStringLiteral(" TEST DATA REPORT"), Qt::AlignHCenter);
        // The label must end before the date starts, whatever font stands
        // in for Arial.
        QFont small = arial(8);
        const double labelWidth =
            (kPrintDateX - kPrintDateLabelX - 0.5) * device->logicalDpiX() / 25.4;
        while (small.pointSizeF() > 4 &&
               QFontMetricsF(small, device).horizontalAdvance(QStringLiteral("Print Date:")) >
                   labelWidth)
            small.setPointSizeF(small.pointSizeF() - 0.5);
        painter.setFont(small);
        mm.text(kPrintDateLabelX, 0, kPrintDateX - kPrintDateLabelX, PageHeaderMm,
                QStringLiteral("Print Date:"));
        mm.text(kPrintDateX, 0, width - kPrintDateX, PageHeaderMm, date);

        // Column header.
        painter.setFont(arial(10, true));
        double top = PageHeaderMm;
        for (int f = 0; f < ReadingTable::FieldCount; ++f) {
            const double right = f + 1 < ReadingTable::FieldCount ? kHeaderX[f + 1] : width;
            mm.text(kHeaderX[f], top, right - kHeaderX[f], ColumnHeaderMm,
                    ReadingTable::fieldTitle(f));
        }
        top += ColumnHeaderMm;

        // Detail rows.
        painter.setFont(arial(9));
        const int first = page * RowsPerPage;
        const int last = qMin(records, first + RowsPerPage);
        for (int row = first; row < last; ++row) {
            for (int f = 0; f < ReadingTable::FieldCount; ++f) {
                const double right = f + 1 < ReadingTable::FieldCount ? kDetailX[f + 1] : width;
                mm.text(kDetailX[f], top, right - kDetailX[f], DetailMm,
                        m_table->displayText(row, f));
            }
            top += DetailMm;
        }

        // Page footer.
        painter.setFont(arial(9));
        mm.text(kPageLabelX, footerTop, kPageNumberX - kPageLabelX, PageFooterMm,
                QStringLiteral("The Page"));
        mm.text(kPageNumberX, footerTop, kOfLabelX - kPageNumberX, PageFooterMm,
                QString::number(page + 1));
        mm.text(kOfLabelX, footerTop, kTotalPagesX - kOfLabelX, PageFooterMm, QStringLiteral("Of"));
        mm.text(kTotalPagesX, footerTop, 20.0, PageFooterMm, m_totalPagesText);
    }
    return painter.end();
}
