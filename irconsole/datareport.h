#ifndef DATAREPORT_H
#define DATAREPORT_H

#include <QDate>
#include <QString>

class QPagedPaintDevice;
class ReadingTable;

// The printed data report of the reading table: A4 portrait with 10 mm
// margins; a page header with the title and the print date, a column header,
// 37 detail rows per page and a page footer with "The Page n Of total".
class DataReport
{
public:
    static constexpr int RowsPerPage = 37;
    static constexpr double MarginMm = 10.0;
    static constexpr double PageHeaderMm = 10.6;
    static constexpr double ColumnHeaderMm = 10.6;
    static constexpr double DetailMm = 6.6;
    static constexpr double PageFooterMm = 10.6;

    explicit DataReport(const ReadingTable *table);

    static int totalPages(int records);

    void setPrintDate(const QDate &date) { m_printDate = date; }
    QDate printDate() const { return m_printDate; }

    // The number the total-pages label of the footer shows.
    QString totalPagesText() const { return m_totalPagesText; }
    // Takes the page count from the table as it is now.
    void prepare();

    // Sets A4 portrait with the report's margins on the device.
    static void setupPage(QPagedPaintDevice *device);
    // Draws every page onto the device, whose page layout must already be
    // set (setupPage). Returns false if painting could not start.
    bool render(QPagedPaintDevice *device);

private:
    const ReadingTable *m_table;
    QDate m_printDate;
    QString m_totalPagesText;
};

#endif // DATAREPORT_H
