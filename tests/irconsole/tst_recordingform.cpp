// The record side inside the main form: decoded frames reach the table and
// the chart, and the form's handlers save, open, print, clear and exit.

#include "consoledialogs.h"
#include "consolemenus.h"
#include "consoleplotinclude.h"
#include "consoletestform.h"
#include "datareport.h"
#include "readingchart.h"
#include "readinggrid.h"
#include "readingrecorder.h"
#include "readingtable.h"
#include "recordarea.h"
#include "recordbar.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kOhm(QChar(0x03A9));

// Main digits 1 9. 0 5 (B10..B13) and the MΩ unit (N29 b2, in B14).
const char *const k1905MOhm = "00000000000000000000"
                              "06BFD7B5"
                              "400000000000";

// Answers every dialog of the record side and counts what was asked.
struct Answers
{
    QString file;
    bool confirm = true;
    int previews = 0;
    QString previewTotal;
    QStringList errors;

    void install(ConsoleDialogs *d)
    {
        d->fileName = [this](const ConsoleDialogs::FileRequest &) { return file; };
        d->confirm = [this](const QString &, const QString &) { return confirm; };
        d->preview = [this](DataReport &report) {
            ++previews;
            previewTotal = report.totalPagesText();
        };
        const auto information = d->message;
        d->message = [this, information](const QString &title, const QString &text,
                                         ConsoleDialogs::Icon icon) {
            if (icon == ConsoleDialogs::Icon::Error)
                errors << title + QLatin1Char('|') + text;
            else
                information(title, text, icon);
        };
    }
};

} // namespace

class TestRecordingForm : public QObject
{
    Q_OBJECT
private slots:
    void formHoldsTheRecordSide();
    void decodedFramesAreRecordedAndPlotted();
    void sessionIsSavedReopenedAndPrinted();
    void clearAndNewAskFirst();
    void intervalHandlers();
    void exitEndsTheProgram();
};

void TestRecordingForm::formHoldsTheRecordSide()
{
    ConsoleTestForm form;
    QVERIFY(form.Record);
    auto *grid = form.findChild<ReadingGrid *>(QStringLiteral("DBGrid1"));
    QVERIFY(grid);
    QCOMPARE(grid->parentWidget(), form.GridArea);
    QCOMPARE(grid->size(), QSize(617, 177));
    QVERIFY(form.findChild<RecordBar *>());
    QCOMPARE(form.Record->chart()->plot()->parentWidget(), form.ClientContent);
    QCOMPARE(form.Record->chart()->plot()->geometry(), form.ChartArea->geometry());
    QCOMPARE(form.FileMenu->actions().size(), 5);
    QCOMPARE(form.FileMenu->actions().at(0)->text(), QStringLiteral("  New"));
    QCOMPARE(form.Record->menus()->checkedLimit(), 10000);
    QVERIFY(form.Record->sampInterTime()->isActive());
    QCOMPARE(form.Record->table()->size(), 0);
}

void TestRecordingForm::decodedFramesAreRecordedAndPlotted()
{
    ConsoleTestForm form;
    form.decimalSeparator = QStringLiteral(".");
    form.ShowDataTrv(frameText(k1905MOhm));
    QTRY_COMPARE_WITH_TIMEOUT(form.Record->table()->size(), 1, 10000);
    const ReadingRecord &r = form.Record->table()->record(0);
    QCOMPARE(r.no, 1);
    QCOMPARE(r.value, QStringLiteral("19.05"));
    QCOMPARE(r.unit, "M" + kOhm);
    QCOMPARE(r.vRange, "IR:500V 20G" + kOhm);
    QCOMPARE(r.iRange, QStringLiteral("Continuous"));
    QCOMPARE(form.Record->chart()->points(), QVector<double>{1905});

    // With Repeat unchecked the same display is not recorded again.
    form.Record->recordBar()->repeatSet()->setChecked(false);
    form.ShowDataTrv(frameText(k1905MOhm));
    QTRY_VERIFY_WITH_TIMEOUT(!form.isHoldingFrame(), 10000);
    QCOMPARE(form.Record->table()->size(), 1);
}

void TestRecordingForm::sessionIsSavedReopenedAndPrinted()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ConsoleTestForm form;
    Answers answers;
    answers.install(form.Record->dialogs());
    for (int i = 0; i < 3; ++i)
        form.Record->recorder()->record({QString::number(i), "V", "DCV  600V", "Continuous"});

    answers.file = dir.filePath(QStringLiteral("a.txt"));
    QTest::mouseClick(form.Record->recordBar()->saveButton(), Qt::LeftButton);
    QCOMPARE(form.messages.size(), 1);
    QVERIFY(form.messages.at(0).endsWith(QLatin1String(" Scuss!")));
    QFile saved(answers.file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().count("\r\n"), 4);

    form.Record->menus()->openAction->trigger();
    QCOMPARE(form.Record->table()->size(), 6);

    answers.file = dir.filePath(QStringLiteral("a.xml"));
    form.Save_asClick();
    form.Record->recorder()->record({"9", "V", "DCV  600V", "Continuous"});
    form.OpenClick();
    QCOMPARE(form.Record->table()->size(), 6);
    QVERIFY(answers.errors.isEmpty());

    QTest::mouseClick(form.Record->recordBar()->printButton(), Qt::LeftButton);
    QCOMPARE(answers.previews, 1);
    QCOMPARE(answers.previewTotal, QStringLiteral("1"));
}

void TestRecordingForm::clearAndNewAskFirst()
{
    ConsoleTestForm form;
    Answers answers;
    answers.install(form.Record->dialogs());
    form.Record->recorder()->record({"1.00", "V", "", ""});
    QCOMPARE(form.Record->chart()->points().size(), 1);

    answers.confirm = false;
    form.Record->menus()->clearAllAction->trigger();
    QTest::mouseClick(form.Record->recordBar()->deleteButton(), Qt::LeftButton);
    form.NewClick();
    QCOMPARE(form.Record->table()->size(), 1);
    QCOMPARE(form.Record->chart()->points().size(), 1);

    answers.confirm = true;
    form.ClearRClick();
    QCOMPARE(form.Record->table()->size(), 0);
    QCOMPARE(form.Record->chart()->points().size(), 1); // Clear keeps the chart
    form.Record->recorder()->record({"2.00", "V", "", ""});
    QCOMPARE(form.Record->table()->record(0).no, 1);
    form.Record->menus()->newAction->trigger();
    QCOMPARE(form.Record->table()->size(), 0);
    QCOMPARE(form.Record->chart()->points().size(), 0);
}

void TestRecordingForm::intervalHandlers()
{
    ConsoleTestForm form;
    RecordBar *bar = form.Record->recordBar();
    bar->recordSI()->setChecked(true);
    bar->recordSITime()->setText(QStringLiteral("3"));
    QCOMPARE(form.Record->recorder()->intervalCountdown(), 3);
    form.SampInterTimeTimer();
    QCOMPARE(form.Record->recorder()->intervalCountdown(), 2);
    form.INDataToTable(1);
    QCOMPARE(form.Record->table()->size(), 0);
    form.SampInterTimeTimer();
    form.SampInterTimeTimer();
    form.INDataToTable(1);
    QCOMPARE(form.Record->table()->size(), 1);
}

void TestRecordingForm::exitEndsTheProgram()
{
    ConsoleTestForm form;
    form.Record->menus()->exitAction->trigger();
    QCOMPARE(form.quitRequests, 1);
}

QTEST_MAIN(TestRecordingForm)
#include "tst_recordingform.moc"
