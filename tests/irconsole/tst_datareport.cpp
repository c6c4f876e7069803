// The printed data report: page count, bands and texts, checked on the PDF
// the report renders (text read back with pdftotext).

#include "consoledialogs.h"
#include "datareport.h"
#include "readingrecorder.h"
#include "readingtable.h"
#include "recordactions.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

void fill(ReadingTable &table, int count)
{
    table.setTimeFormat(QStringLiteral("HH:mm:ss"));
    for (int i = 1; i <= count; ++i) {
        ReadingRecord r;
        r.hasNo = true;
        r.no = i;
        r.time = QTime(10, 0, 0).addSecs(i);
        r.value = QStringLiteral("V%1").arg(i);
        r.unit = QStringLiteral("MOhm");
        r.vRange = QStringLiteral("IR:500V");
        r.iRange = QStringLiteral("Remark%1").arg(i);
        table.append(r);
    }
}

// Renders the report of the table to a PDF and returns its text, pages
// separated by form feeds.
QString renderedText(const ReadingTable &table, const QString &dir, QString *pdfPath = nullptr)
{
    const QString path = dir + QStringLiteral("/report.pdf");
    {
        QPdfWriter writer(path);
        DataReport::setupPage(&writer);
        DataReport report(&table);
        report.setPrintDate(QDate(2024, 3, 7));
        if (!report.render(&writer))
            return QString();
    }
    if (pdfPath)
        *pdfPath = path;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestDataReport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void totalPages_data();
    void totalPages();
    void pagesOnPdf_data();
    void pagesOnPdf();
    void pageIsA4WithMargins();
    void printOpensPreviewWithPageCount();

private:
    bool m_havePdfToText = false;
};

void TestDataReport::initTestCase()
{
    m_havePdfToText = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

void TestDataReport::totalPages_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("pages");
    QTest::newRow("empty") << 0 << 1;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("full page") << 37 << 1;
    QTest::newRow("one over") << 38 << 2;
    QTest::newRow("two full") << 74 << 2;
    QTest::newRow("three") << 75 << 3;
}

void TestDataReport::totalPages()
{
    QFETCH(int, records);
    QFETCH(int, pages);
    QCOMPARE(DataReport::totalPages(records), pages);
    ReadingTable table;
    fill(table, records);
    DataReport report(&table);
    QCOMPARE(report.totalPagesText(), QString::number(pages));
}

void TestDataReport::pagesOnPdf_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("pages");
    QTest::newRow("37 on one page") << 37 << 1;
    QTest::newRow("38 on two pages") << 38 << 2;
    QTest::newRow("no records") << 0 << 1;
}

void TestDataReport::pagesOnPdf()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext is not installed");
    QFETCH(int, records);
    QFETCH(int, pages);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ReadingTable table;
    fill(table, records);
    const QString text = renderedText(table, dir.path());
    QVERIFY(!text.isEmpty());

    QStringList pageTexts = text.split(QLatin1Char('\f'));
    if (pageTexts.last().trimmed().isEmpty())
        pageTexts.removeLast();
    QCOMPARE(pageTexts.size(), pages);

    const QString date = QLocale::system().toString(QDate(2024, 3, 7), QLocale::ShortFormat);
    const QRegularExpression titles(
        QStringLiteral("No\\s+Time\\s+Value\\s+Unit\\s+Function\\s+Remark"));
    int row = 1;
    for (int p = 0; p < pages; ++p) {
        const QString &t = pageTexts.at(p);
        QVERIFY2(t.contains(QLatin1String("TEST DATA REPORT")), qPrintable(t));
        QVERIFY(
            t.contains(QRegularExpression("Print Date:\\s+" + QRegularExpression::escape(date))));
        QVERIFY(t.contains(titles));
        const QRegularExpression footer(
            QStringLiteral("The Page\\s+%1\\s+Of\\s+%2").arg(p + 1).arg(pages));
        QVERIFY2(t.contains(footer), qPrintable(t));
        // The page's rows in table order, and no more than 37 of them.
        const int last = qMin(records, (p + 1) * DataReport::RowsPerPage);
        for (; row <= last; ++row) {
            const QRegularExpression line(QStringLiteral("\\b%1\\s+10:%2:%3\\s+V%1\\s+MOhm\\s+"
                                                         "IR:500V\\s+Remark%1\\b")
                                              .arg(row)
                                              .arg(row / 60, 2, 10, QLatin1Char('0'))
                                              .arg(row % 60, 2, 10, QLatin1Char('0')));
            QVERIFY2(t.contains(line),
                     qPrintable(QStringLiteral("row %1 on page %2").arg(row).arg(p + 1)));
        }
        if (row <= records)
            QVERIFY(!t.contains(QRegularExpression(QStringLiteral("\\bRemark%1\\b").arg(row))));
    }
}

void TestDataReport::pageIsA4WithMargins()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QPdfWriter writer(dir.filePath(QStringLiteral("x.pdf")));
    DataReport::setupPage(&writer);
    const QPageLayout layout = writer.pageLayout();
    QCOMPARE(layout.pageSize().id(), QPageSize::A4);
    QCOMPARE(layout.orientation(), QPageLayout::Portrait);
    QCOMPARE(layout.margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
}

void TestDataReport::printOpensPreviewWithPageCount()
{
    ReadingTable table;
    fill(table, 38);
    ReadingRecorder recorder(&table);
    ConsoleDialogs dialogs;
    QString shownTotal;
    int previews = 0;
    dialogs.preview = [&](DataReport &report) {
        ++previews;
        shownTotal = report.totalPagesText();
    };
    RecordActions actions(&table, &recorder, &dialogs);
    QSignalSpy repaint(&actions, &RecordActions::repaintRequested);
    actions.print();
    QCOMPARE(previews, 1);
    QCOMPARE(shownTotal, QStringLiteral("2"));
    QCOMPARE(repaint.count(), 1);
}

QTEST_MAIN(TestDataReport)
#include "tst_datareport.moc"
