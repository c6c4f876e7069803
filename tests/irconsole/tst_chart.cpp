// The chart area: one point per recorded reading in display counts, paging,
// the fill switch, saving the bitmap and enlarging over the form.

#include "consoledialogs.h"
#include "consoleplotinclude.h"
#include "readingchart.h"
#include "readingrecorder.h"
#include "readingtable.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

struct Message
{
    QString title;
    QString text;
    ConsoleDialogs::Icon icon;
};

struct AnsweredDialogs : ConsoleDialogs
{
    QList<Message> messages;
    AnsweredDialogs()
    {
        message = [this](const QString &title, const QString &text, Icon icon) {
            messages.append({title, text, icon});
        };
        confirm = [](const QString &, const QString &) { return true; };
        fileName = [](const FileRequest &) { return QString(); };
        preview = [](DataReport &) {};
    }
};

template <typename T> T *child(QWidget *w, const char *name)
{
    return w->findChild<T *>(QLatin1String(name));
}

} // namespace

class TestChart : public QObject
{
    Q_OBJECT
private slots:
    void displayCounts_data();
    void displayCounts();
    void plotsRecordedReadings();
    void pagesByMaxrecord();
    void deleteGraphicEmpties();
    void fillShowsOneSeries();
    void savesBitmapUnderPattern();
    void saveFailureIsNotReportedAsSaved();
    void enlargeAndRestore();
};

void TestChart::displayCounts_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("counts");
    QTest::newRow("point") << "19.05" << true << 1905;
    QTest::newRow("negative") << "-0.512" << true << -512;
    QTest::newRow("comma separator") << "1,234" << true << 1234;
    QTest::newRow("no separator") << "5000" << true << 5000;
    QTest::newRow("trailing point") << "9." << true << 9;
    QTest::newRow("overload") << "LL" << false << 0;
    QTest::newRow("partly overload") << "1L" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
}

void TestChart::displayCounts()
{
    QFETCH(QString, value);
    QFETCH(bool, ok);
    QFETCH(int, counts);
    int got = 0;
    QCOMPARE(ReadingChart::displayCounts(value, &got), ok);
    if (ok)
        QCOMPARE(got, counts);
}

void TestChart::plotsRecordedReadings()
{
    AnsweredDialogs dialogs;
    ReadingChart chart(&dialogs);
    ReadingTable table;
    ReadingRecorder recorder(&table);
    connect(&recorder, &ReadingRecorder::recorded, &chart,
            [&chart](int, const QString &value) { chart.addReading(value); });
    QCOMPARE(chart.points().size(), 0); // no made-up point at start

    for (const char *v : {"19.05", "-0.512", "LL", "1.000"})
        recorder.record({QString::fromLatin1(v), "MΩ", "IR:500V 20GΩ", "Continuous"});
    QCOMPARE(table.size(), 4);
    QCOMPARE(chart.points(), (QVector<double>{1905, -512, 1000}));

    QCustomPlot *plot = chart.plot();
    QCOMPARE(plot->objectName(), QStringLiteral("Chtshow"));
    QCOMPARE(plot->yAxis->range().lower, -11000.0);
    QCOMPARE(plot->yAxis->range().upper, 11000.0);
    QVERIFY(!plot->legend->visible());
    QCOMPARE(plot->graph(0)->data()->size(), 3);
    QCOMPARE(plot->graph(0)->data()->at(1)->value, -512.0);
}

void TestChart::pagesByMaxrecord()
{
    AnsweredDialogs dialogs;
    ReadingChart chart(&dialogs);
    auto *maxRecord = child<QLineEdit>(&chart, "Maxrecord");
    auto *first = child<QPushButton>(&chart, "BtFirst");
    auto *previous = child<QPushButton>(&chart, "BtPrevious");
    auto *next = child<QPushButton>(&chart, "BtNext");
    auto *last = child<QPushButton>(&chart, "BtLast");
    auto *pageButton = child<QPushButton>(&chart, "Bt10");
    QVERIFY(maxRecord && first && previous && next && last && pageButton);
    QCOMPARE(maxRecord->text(), QStringLiteral("100"));

    maxRecord->setText(QStringLiteral("10"));
    QCOMPARE(chart.pointsPerPage(), 10);
    for (int i = 1; i <= 25; ++i)
        chart.addReading(QString::number(i));
    // The chart follows the newest points while it shows the last page.
    QCOMPARE(chart.pageCount(), 3);
    QCOMPARE(chart.page(), 3);
    QCOMPARE(pageButton->text(), QStringLiteral("3"));
    QVERIFY(!next->isEnabled() && !last->isEnabled());
    QVERIFY(first->isEnabled() && previous->isEnabled());
    QCOMPARE(chart.plot()->xAxis->range().lower, 20.5);
    QCOMPARE(chart.plot()->xAxis->range().upper, 30.5);

    QTest::mouseClick(first, Qt::LeftButton);
    QCOMPARE(chart.page(), 1);
    QCOMPARE(pageButton->text(), QStringLiteral("1"));
    QVERIFY(!first->isEnabled() && !previous->isEnabled());
    QVERIFY(next->isEnabled() && last->isEnabled());
    QCOMPARE(chart.plot()->xAxis->range().lower, 0.5);
    // Away from the last page, new points do not move the view.
    chart.addReading(QStringLiteral("26"));
    QCOMPARE(chart.page(), 1);
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(chart.page(), 2);
    QTest::mouseClick(last, Qt::LeftButton);
    QCOMPARE(chart.page(), 3);

    // A larger page keeps the page number within the pages there are.
    maxRecord->setText(QStringLiteral("100"));
    QCOMPARE(chart.pageCount(), 1);
    QCOMPARE(chart.page(), 1);
    // No number shows every point on one page.
    maxRecord->setText(QString());
    QCOMPARE(chart.pointsPerPage(), 0);
    QCOMPARE(chart.plot()->xAxis->range().upper, 26.5);
}

void TestChart::deleteGraphicEmpties()
{
    AnsweredDialogs dialogs;
    ReadingChart chart(&dialogs);
    auto *del = child<QPushButton>(&chart, "BtNew");
    QVERIFY(del);
    QCOMPARE(del->text(), QStringLiteral("Delete Graphic"));
    chart.addReading(QStringLiteral("1.5"));
    chart.addReading(QStringLiteral("2.5"));
    QTest::mouseClick(del, Qt::LeftButton);
    QVERIFY(chart.points().isEmpty());
    QCOMPARE(chart.plot()->graph(0)->data()->size(), 0);
    QCOMPARE(chart.plot()->graph(1)->data()->size(), 0);
    QCOMPARE(chart.page(), 1);
}

void TestChart::fillShowsOneSeries()
{
    AnsweredDialogs dialogs;
    ReadingChart chart(&dialogs);
    auto *fill = child<QCheckBox>(&chart, "BtFill");
    QVERIFY(fill);
    QVERIFY(fill->isChecked());
    QCustomPlot *plot = chart.plot();
    QVERIFY(plot->graph(0)->visible());
    QVERIFY(plot->graph(0)->brush().style() != Qt::NoBrush);
    QVERIFY(!plot->graph(1)->visible());
    fill->setChecked(false);
    QVERIFY(!plot->graph(0)->visible());
    QVERIFY(plot->graph(1)->visible());
}

void TestChart::savesBitmapUnderPattern()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    AnsweredDialogs dialogs;
    ReadingChart chart(&dialogs);
    const QString folder = dir.filePath(QStringLiteral("TestGraph")); // made on first save
    chart.setSaveFolder(folder);
    chart.setClock([] { return QDateTime(QDate(2026, 1, 2), QTime(15, 4, 59)); });
    chart.addReading(QStringLiteral("1.00"));

    QTest::mouseClick(child<QPushButton>(&chart, "BtSave"), Qt::LeftButton);
    const QString path = folder + QStringLiteral("/2601021504page1.bmp");
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QImage(path).format() == QImage::Format_Invalid, false);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.at(0).text, "graphic has saved on " +
                                              QDir::toNativeSeparators(folder + "/") +
                                              "2601021504page1.bmp");

    QVERIFY(ReadingChart::defaultSaveFolder().endsWith(QLatin1String("TestGraph")));
}

void TestChart::saveFailureIsNotReportedAsSaved()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A file stands where the folder should be made.
    const QString blocker = dir.filePath(QStringLiteral("TestGraph"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    AnsweredDialogs dialogs;
    ReadingChart chart(&dialogs);
    chart.setSaveFolder(blocker + QStringLiteral("/sub"));
    QVERIFY(chart.saveActiveGraphic().isEmpty());
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.at(0).icon, ConsoleDialogs::Icon::Error);
    QVERIFY(!dialogs.messages.at(0).text.startsWith(QLatin1String("graphic has saved")));
}

void TestChart::enlargeAndRestore()
{
    AnsweredDialogs dialogs;
    QWidget form;
    form.resize(619, 700);
    ReadingChart chart(&dialogs, &form, &form);
    chart.setForm(&form);
    chart.plot()->setGeometry(2, 530, 361, 209);
    auto *enlarge = child<QToolButton>(&chart, "BtEnlarge");
    auto *restore = child<QToolButton>(&chart, "BtRestore");
    QVERIFY(enlarge && restore);
    QCOMPARE(enlarge->toolTip(), QStringLiteral("Graphic Enlarge"));
    QCOMPARE(restore->toolTip(), QStringLiteral("Graphic Restore"));
    QVERIFY(!restore->isVisibleTo(&chart) && enlarge->isVisibleTo(&chart));

    chart.toggleEnlarge();
    QCOMPARE(form.height(), 564); // a form taller than 600 shrinks first
    QVERIFY(chart.enlarged());
    QCOMPARE(chart.plot()->geometry(), QRect(2, 30, 619 - 12, 564 - 90));
    QVERIFY(restore->isVisibleTo(&chart) && !enlarge->isVisibleTo(&chart));

    chart.toggleEnlarge();
    QVERIFY(!chart.enlarged());
    QCOMPARE(chart.plot()->geometry(), QRect(2, 530, 361, 209));
    QVERIFY(!restore->isVisibleTo(&chart) && enlarge->isVisibleTo(&chart));
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
