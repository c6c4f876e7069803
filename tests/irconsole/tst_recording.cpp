// Which readings the recorder takes into the table: record limit, sampling
// interval, repeat suppression, and clearing with the user's consent.

#include "consoledialogs.h"
#include "consolemenus.h"
#include "consoleplotinclude.h"
#include "readingchart.h"
#include "readinggrid.h"
#include "readingrecorder.h"
#include "readingtable.h"
#include "recordactions.h"
#include "recordarea.h"
#include "recordbar.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

ConsoleReading reading(const QString &value)
{
    return {value, QStringLiteral("MΩ"), QStringLiteral("IR:500V 20GΩ"),
            QStringLiteral("Continuous")};
}

// Dialog answers given by the test; every question is counted.
struct AnsweredDialogs : ConsoleDialogs
{
    bool answer = true;
    int questions = 0;
    QStringList texts;

    AnsweredDialogs()
    {
        confirm = [this](const QString &, const QString &text) {
            ++questions;
            texts << text;
            return answer;
        };
        message = [this](const QString &, const QString &text, Icon) { texts << text; };
        fileName = [](const FileRequest &) { return QString(); };
        preview = [](DataReport &) {};
    }
};

} // namespace

class TestRecording : public QObject
{
    Q_OBJECT
private slots:
    void recordsTheReadingWithAllItsFields();
    void limitStopsAndAHigherLimitContinues();
    void limitMenuItems();
    void repeatUncheckedSuppressesASteadyValue();
    void intervalWaitsForTheCountdown();
    void intervalWithoutSeconds_data();
    void intervalWithoutSeconds();
    void intervalSeconds_data();
    void intervalSeconds();
    void countdownOnlyRunsWhileIntervalChecked();
    void clearAsksAndCancelKeepsRecords();
    void newEmptiesChartAndTable();
    void recordBarAtStart();
    void recordAreaLinksItsParts();
};

void TestRecording::recordsTheReadingWithAllItsFields()
{
    ReadingTable table;
    ReadingRecorder rec(&table);
    rec.setClock([] { return QTime(13, 5, 9, 250); });
    QSignalSpy spy(&rec, &ReadingRecorder::recorded);

    QVERIFY(rec.record({QStringLiteral("19.05"), QStringLiteral("GΩ"),
                        QStringLiteral("IR:1000V 40GΩ"), QStringLiteral("Timed")}));
    QCOMPARE(table.size(), 1);
    const ReadingRecord &r = table.record(0);
    QVERIFY(r.hasNo);
    QCOMPARE(r.no, 1);
    QCOMPARE(r.time, QTime(13, 5, 9, 250));
    QCOMPARE(r.value, QStringLiteral("19.05"));
    QCOMPARE(r.unit, QStringLiteral("GΩ"));
    QCOMPARE(r.vRange, QStringLiteral("IR:1000V 40GΩ"));
    QCOMPARE(r.iRange, QStringLiteral("Timed"));
    QCOMPARE(rec.recordCounter(), 2);
    QCOMPARE(rec.lastRecordedValue(), QStringLiteral("19.05"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 1);
    QCOMPARE(spy.at(0).at(1).toString(), QStringLiteral("19.05"));
}

void TestRecording::limitStopsAndAHigherLimitContinues()
{
    QMenuBar bar;
    ConsoleMenus *menus = ConsoleMenus::fill(&bar);
    ReadingTable table;
    ReadingRecorder rec(&table);
    connect(menus, &ConsoleMenus::limitChosen, &rec, &ReadingRecorder::setRecordLimit);

    menus->limitActions.at(0)->trigger(); // "1000"
    QCOMPARE(rec.recordLimit(), 1000);
    for (int i = 1; i <= 1000; ++i)
        QVERIFY(rec.record(reading(QString::number(i))));
    QVERIFY(!rec.record(reading(QStringLiteral("1001"))));
    QCOMPARE(table.size(), 1000);
    QCOMPARE(table.record(999).no, 1000);

    menus->limitActions.at(1)->trigger(); // "5000"
    QVERIFY(rec.record(reading(QStringLiteral("x"))));
    QCOMPARE(table.size(), 1001);
    QCOMPARE(table.record(1000).no, 1001);
}

void TestRecording::limitMenuItems()
{
    QMenuBar bar;
    ConsoleMenus *menus = ConsoleMenus::fill(&bar);

    QStringList file;
    for (QAction *a : menus->fileMenu->actions())
        file << (a->isSeparator() ? QStringLiteral("|") : a->text());
    QCOMPARE(file, (QStringList{QStringLiteral("  New"), QStringLiteral("  Open"),
                                QStringLiteral("  Save As..."), QStringLiteral("|"),
                                QStringLiteral("   Exit")}));
    QCOMPARE(menus->recordSetMenu->title(), QStringLiteral(" RecordSet"));
    QCOMPARE(menus->clearAllAction->text(), QStringLiteral(" Clear All"));

    QStringList texts;
    QList<int> limits;
    for (QAction *a : menus->limitActions) {
        texts << a->text();
        limits << ConsoleMenus::limitOf(a);
    }
    QCOMPARE(texts, (QStringList{"1000", "5000", "10000", "50000", "100000", "Limitless"}));
    QCOMPARE(limits, (QList<int>{1000, 5000, 10000, 50000, 100000, 10000000}));
    QCOMPARE(menus->checkedLimit(), 10000);

    QSignalSpy spy(menus, &ConsoleMenus::limitChosen);
    menus->limitActions.last()->trigger();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 10000000);
    int checked = 0;
    for (QAction *a : menus->limitActions)
        checked += a->isChecked() ? 1 : 0;
    QCOMPARE(checked, 1);
    QVERIFY(menus->limitActions.last()->isChecked());
}

void TestRecording::repeatUncheckedSuppressesASteadyValue()
{
    ReadingTable table;
    ReadingRecorder rec(&table);
    rec.setRepeat(false);
    const QStringList values = {"5.00", "5.00", "5.00", "5.01", "5.00", "5.00"};
    for (const QString &v : values)
        rec.record(reading(v));
    QCOMPARE(table.size(), 3);
    QCOMPARE(table.record(0).value, QStringLiteral("5.00"));
    QCOMPARE(table.record(1).value, QStringLiteral("5.01"));
    QCOMPARE(table.record(2).value, QStringLiteral("5.00"));

    // Checked again, a steady value is recorded every time.
    rec.setRepeat(true);
    rec.record(reading(QStringLiteral("5.00")));
    QCOMPARE(table.size(), 4);
}

void TestRecording::intervalWaitsForTheCountdown()
{
    ReadingTable table;
    ReadingRecorder rec(&table);
    rec.setIntervalEnabled(true);
    rec.setIntervalText(QStringLiteral("10")); // countdown starts at 10 at once
    QCOMPARE(rec.intervalCountdown(), 10);
    QVERIFY(!rec.record(reading("1")));

    for (int i = 0; i < 10; ++i) {
        QVERIFY(!rec.record(reading("1")));
        rec.tick();
    }
    QCOMPARE(rec.intervalCountdown(), 0);
    QVERIFY(rec.record(reading("2")));
    QCOMPARE(rec.intervalCountdown(), 10);
    // The next ten ticks record nothing.
    for (int i = 0; i < 10; ++i) {
        QVERIFY(!rec.record(reading("3")));
        rec.tick();
    }
    QVERIFY(rec.record(reading("4")));
    QCOMPARE(table.size(), 2);
}

void TestRecording::intervalWithoutSeconds_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << QStringLiteral("0");
    QTest::newRow("empty") << QString();
}

void TestRecording::intervalWithoutSeconds()
{
    QFETCH(QString, text);
    ReadingTable table;
    ReadingRecorder rec(&table);
    rec.setIntervalEnabled(true);
    rec.setIntervalText(text);
    for (int i = 0; i < 5; ++i)
        QVERIFY(rec.record(reading(QString::number(i))));
    QCOMPARE(table.size(), 5);
}

void TestRecording::intervalSeconds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("seconds");
    QTest::newRow("number") << "10" << 10;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("minus") << "-" << 0;
    QTest::newRow("plus") << "+" << 0;
    QTest::newRow("negative") << "-5" << 0;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("too many digits") << "99999999999999999999999" << 2147483647;
    QTest::newRow("not a number") << "1a" << 0;
}

void TestRecording::intervalSeconds()
{
    QFETCH(QString, text);
    QFETCH(int, seconds);
    QCOMPARE(ReadingRecorder::intervalSeconds(text), seconds);
}

void TestRecording::countdownOnlyRunsWhileIntervalChecked()
{
    ReadingTable table;
    ReadingRecorder rec(&table);
    rec.setIntervalText(QStringLiteral("3"));
    // Unchecked, readings are recorded and the countdown stands still.
    QVERIFY(rec.record(reading("1")));
    QVERIFY(rec.record(reading("2")));
    rec.tick();
    rec.tick();
    QCOMPARE(rec.intervalCountdown(), 3);
    rec.setIntervalEnabled(true);
    QVERIFY(!rec.record(reading("3")));
    rec.tick();
    rec.tick();
    rec.tick();
    rec.tick(); // never below zero
    QCOMPARE(rec.intervalCountdown(), 0);
    QVERIFY(rec.record(reading("4")));
}

void TestRecording::clearAsksAndCancelKeepsRecords()
{
    ReadingTable table;
    ReadingRecorder rec(&table);
    AnsweredDialogs dialogs;
    RecordActions actions(&table, &rec, &dialogs);
    for (int i = 0; i < 3; ++i)
        rec.record(reading(QString::number(i)));

    dialogs.answer = false;
    QVERIFY(!actions.clearAll());
    QCOMPARE(dialogs.questions, 1);
    QCOMPARE(dialogs.texts.last(), QStringLiteral(" Warning:all Records will be deleted! "));
    QCOMPARE(table.size(), 3);
    QCOMPARE(rec.recordCounter(), 4);

    dialogs.answer = true;
    QVERIFY(actions.clearAll());
    QCOMPARE(table.size(), 0);
    QCOMPARE(rec.recordCounter(), 1);
    rec.record(reading("9"));
    QCOMPARE(table.record(0).no, 1);

    // An empty table is cleared without harm.
    table.clear();
    QVERIFY(actions.clearAll());
    QCOMPARE(table.size(), 0);
}

void TestRecording::newEmptiesChartAndTable()
{
    ReadingTable table;
    ReadingRecorder rec(&table);
    AnsweredDialogs dialogs;
    ReadingChart chart(&dialogs);
    RecordActions actions(&table, &rec, &dialogs);
    actions.setChart(&chart);
    connect(&rec, &ReadingRecorder::recorded, &chart,
            [&chart](int, const QString &value) { chart.addReading(value); });
    rec.record(reading("1.00"));
    rec.record(reading("2.00"));
    QCOMPARE(chart.points().size(), 2);

    dialogs.answer = false;
    QVERIFY(!actions.newSession());
    QCOMPARE(chart.points().size(), 2);
    QCOMPARE(table.size(), 2);

    dialogs.answer = true;
    QVERIFY(actions.newSession());
    QCOMPARE(chart.points().size(), 0);
    QCOMPARE(table.size(), 0);
    QCOMPARE(rec.recordCounter(), 1);
}

void TestRecording::recordBarAtStart()
{
    RecordBar bar;
    QVERIFY(bar.repeatSet()->isChecked());
    QCOMPARE(bar.repeatSet()->text(), QStringLiteral("Repeat"));
    QVERIFY(!bar.recordSI()->isChecked());
    QCOMPARE(bar.recordSI()->text(), QStringLiteral("Sampling Interval              'S"));
    QCOMPARE(bar.recordSITime()->text(), QStringLiteral("10"));
    QCOMPARE(bar.saveButton()->toolTip(), QStringLiteral("Save Data"));
    QCOMPARE(bar.deleteButton()->toolTip(), QStringLiteral("Delete Data"));
    QCOMPARE(bar.openButton()->toolTip(), QStringLiteral("Open Data"));
    QCOMPARE(bar.printButton()->toolTip(), QStringLiteral("Print Data"));

    // Only digits and backspace reach the interval edit.
    QLineEdit *edit = bar.recordSITime();
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, QStringLiteral("5a-+ 7"));
    QCOMPARE(edit->text(), QStringLiteral("1057"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QStringLiteral("105"));
}

void TestRecording::recordAreaLinksItsParts()
{
    QWidget form;
    form.resize(619, 526);
    QWidget surface(&form);
    surface.setGeometry(0, 0, 619, 743);
    auto place = [&surface](const QRect &r) {
        auto *w = new QWidget(&surface);
        w->setGeometry(r);
        return w;
    };
    QMenuBar menuBar(&form);
    RecordArea::Places places;
    places.form = &form;
    places.surface = &surface;
    places.recordBar = place({1, 321, 617, 27});
    places.grid = place({1, 349, 617, 177});
    places.chart = place({2, 530, 361, 209});
    places.chartBar = place({366, 530, 251, 209});
    places.fileMenu = menuBar.addMenu(QStringLiteral("File"));
    places.recordMenu = menuBar.addMenu(QStringLiteral("Record"));
    RecordArea area(places);

    QCOMPARE(area.grid()->parentWidget(), places.grid);
    QCOMPARE(area.grid()->objectName(), QStringLiteral("DBGrid1"));
    QCOMPARE(area.chart()->plot()->parentWidget(), &surface);
    QCOMPARE(area.chart()->plot()->geometry(), QRect(2, 530, 361, 209));
    QCOMPARE(area.sampInterTime()->interval(), 1000);
    QCOMPARE(places.fileMenu->actions().size(), 5);

    area.menus()->limitActions.at(0)->trigger();
    QCOMPARE(area.recorder()->recordLimit(), 1000);
    area.recordBar()->repeatSet()->setChecked(false);
    QVERIFY(!area.recorder()->repeat());
    area.recordBar()->recordSI()->setChecked(true);
    QVERIFY(area.recorder()->intervalEnabled());
    QCOMPARE(area.recorder()->intervalText(), QStringLiteral("10"));

    area.recordBar()->recordSI()->setChecked(false);
    QVERIFY(area.recorder()->record(reading(QStringLiteral("12.34"))));
    QCOMPARE(area.table()->size(), 1);
    QCOMPARE(area.chart()->points(), QVector<double>{1234});
    QCOMPARE(area.grid()->currentIndex().row(), 0);
}

QTEST_MAIN(TestRecording)
#include "tst_recording.moc"
