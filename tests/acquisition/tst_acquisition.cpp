// The main window at work: connecting to the tester's cable, recording live
// and stored readings, Clear and Export, and the options dialog, driven end to
// end through virtual cables with the real window offscreen.
#include "datamodel.h"
#include "dialoghooks.h"
#include "meterframeencoder.h"
#include "modelset.h"
#include "mydmm.h"
#include "templatewindow.h"
#include "virtualhidbus.h"
#include "virtualmetercable.h"

#include <qcustomplot.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
constexpr int WaitMs = 10000;

using Fields = MeterFrameEncoder::Fields;

Fields irFields(float res, bool testing = true)
{
    Fields f;
    f.mode = MeterFrameEncoder::IR;
    f.res = res;
    f.resUnit = 1; // GOhm
    f.vset = 500;
    f.vout = 498;
    f.current = 1.5f;
    f.testing = testing ? 1 : 0;
    return f;
}

Fields modeFields(quint8 mode, bool testing = true)
{
    Fields f = irFields(10.0f, testing);
    f.mode = mode;
    f.ratio = 2.5f;
    f.volt = 230;
    f.cap = 1.25f;
    return f;
}

struct Message
{
    QMessageBox::Icon icon;
    QString title;
    QString text;
};
} // namespace

class TestAcquisition : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startWithoutCableWarns();
    void startWithOneCableOpensDirectly();
    void startWithTwoCables_data();
    void startWithTwoCables();
    void startWithRefusingCableWarns();
    void startWhileConnectedCloses();
    void unplugReportsOnce();

    void liveReadingReachesPanelTableAndPlot();
    void pauseKeepsPanelOnly();
    void samplePointsLimit();
    void sampleIntervalTicks();
    void recordAtTesttime_data();
    void recordAtTesttime();
    void newModeSwitchesTableAndReloadsPlot();
    void storedReadingBringsStoredPage();
    void storedModeButtons();
    void plotFollowsPageAfterUserSwitch();
    void tableEndsAtNewestRow();

    void clear_data();
    void clear();
    void exportCancelled();
    void exportWritesVisibleTable_data();
    void exportWritesVisibleTable();
    void exportToUnwritablePlace();

    void firstCloseWritesDefaults();
    void optionsDialogAccepted();
    void optionsDialogEscapeKeepsOptions();
    void optionsIntervalZeroStopsTimer();

private:
    void makeWindow();
    // Sends one live or stored frame on the cable and waits until the window
    // has handled the resulting record.
    void feedLive(const Fields &f);
    void feedStored(const Fields &f);
    void start();
    QWidget *waitForModal();
    template <typename T> T *child(const char *name)
    {
        T *c = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    int liveRows() const { return m_window->currentLiveModel()->rowCount(QModelIndex()); }
    int points() { return child<QCustomPlot>("plot1")->graph(0)->dataCount(); }

    QTemporaryDir *m_dir = nullptr;
    QString m_oldCwd;
    TemplateWindow *m_window = nullptr;
    MyDMM *m_dmm = nullptr;
    std::shared_ptr<VirtualMeterCable> m_cable;
    QSignalSpy *m_liveSpy = nullptr;
    QSignalSpy *m_storedSpy = nullptr;

    QList<Message> m_messages;
    QList<QMessageBox::StandardButton> m_answers; // next answers, Yes when empty
    QString m_saveName;
    int m_saveDialogs = 0;
    QList<QUrl> m_opened;
    int m_itemDialogs = 0;
    bool m_itemOk = false;
    int m_itemChoice = 0;
};

void TestAcquisition::init()
{
    m_oldCwd = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));

    m_messages.clear();
    m_answers.clear();
    m_saveName.clear();
    m_saveDialogs = 0;
    m_opened.clear();
    m_itemDialogs = 0;
    m_itemOk = false;
    m_itemChoice = 0;

    DialogHooks::setMessageHook([this](QMessageBox::Icon icon, QWidget *, const QString &title,
                                       const QString &text, QMessageBox::StandardButtons) {
        m_messages.append({icon, title, text});
        return m_answers.isEmpty() ? QMessageBox::Yes : m_answers.takeFirst();
    });
    DialogHooks::setSaveFileNameHook(
        [this](QWidget *, const QString &caption, const QString &dir, const QString &filter) {
            ++m_saveDialogs;
            if (caption != "Save As" || !dir.isEmpty() || filter != "CSV(*.csv)")
                qWarning("unexpected save dialog: %s %s", qPrintable(caption), qPrintable(filter));
            return m_saveName;
        });
    DialogHooks::setItemHook([this](QWidget *, const QString &title, const QString &label,
                                    const QStringList &items, int current, bool editable,
                                    bool *ok) {
        ++m_itemDialogs;
        if (title != "Choose the Device" || label != "Devices" || current != 0 || editable)
            qWarning("unexpected device choice dialog");
        *ok = m_itemOk;
        return m_itemOk ? items.value(m_itemChoice) : items.value(current);
    });
    DialogHooks::setOpenUrlHook([this](const QUrl &url) {
        m_opened.append(url);
        return true;
    });
}

void TestAcquisition::cleanup()
{
    delete m_liveSpy;
    m_liveSpy = nullptr;
    delete m_storedSpy;
    m_storedSpy = nullptr;
    delete m_window;
    m_window = nullptr;
    m_dmm = nullptr;
    m_cable.reset();
    VirtualHidBus::instance().detachAll();
    DialogHooks::resetAll();
    QDir::setCurrent(m_oldCwd);
    delete m_dir;
    m_dir = nullptr;
}

void TestAcquisition::makeWindow()
{
    m_window = new TemplateWindow(nullptr, Qt::WindowFlags());
    m_window->show();
    m_dmm = m_window->findChild<MyDMM *>();
    QVERIFY(m_dmm);
    // Connected after the window, so a recorded emission has been handled.
    m_liveSpy = new QSignalSpy(m_dmm, &MyDMM::updateLiveData);
    m_storedSpy = new QSignalSpy(m_dmm, &MyDMM::updateStoreData);
}

void TestAcquisition::start()
{
    if (!m_cable)
        m_cable = VirtualMeterCable::plugIn();
    child<QAction>("actionStart")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(child<QAction>("actionStart")->isChecked(), WaitMs);
}

void TestAcquisition::feedLive(const Fields &f)
{
    const int before = m_liveSpy->count();
    m_cable->sendSerial(MeterFrameEncoder::liveFrame(f));
    QTRY_COMPARE_WITH_TIMEOUT(m_liveSpy->count(), before + 1, WaitMs);
}

void TestAcquisition::feedStored(const Fields &f)
{
    const int before = m_storedSpy->count();
    m_cable->sendSerial(MeterFrameEncoder::storedFrame(f));
    QTRY_COMPARE_WITH_TIMEOUT(m_storedSpy->count(), before + 1, WaitMs);
}

QWidget *TestAcquisition::waitForModal()
{
    // A dialog left open by a failed check is closed, so the test never hangs.
    QTimer::singleShot(3 * WaitMs, qApp, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    QElapsedTimer waited;
    waited.start();
    while (!QApplication::activeModalWidget() && waited.elapsed() < WaitMs)
        QTest::qWait(10);
    return QApplication::activeModalWidget();
}

// ---- connection ----

void TestAcquisition::startWithoutCableWarns()
{
    makeWindow();
    child<QAction>("actionStart")->trigger();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, QMessageBox::Warning);
    QCOMPARE(m_messages[0].title, QString());
    QCOMPARE(m_messages[0].text, QString("No valid device found."));
    QVERIFY(!child<QAction>("actionStart")->isCheckable());
    QVERIFY(!m_dmm->actived());
}

void TestAcquisition::startWithOneCableOpensDirectly()
{
    makeWindow();
    QVERIFY(!child<QAction>("actionStart")->isCheckable());
    start();
    QCOMPARE(m_itemDialogs, 0);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(m_dmm->actived());
    QVERIFY(child<QAction>("actionStart")->isCheckable());
}

void TestAcquisition::startWithTwoCables_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("expectOpen");
    QTest::newRow("cancelled opens the first") << false << 1 << 0;
    QTest::newRow("second chosen") << true << 1 << 1;
}

void TestAcquisition::startWithTwoCables()
{
    QFETCH(bool, confirm);
    QFETCH(int, choice);
    QFETCH(int, expectOpen);
    auto first = VirtualMeterCable::plugIn("A");
    auto second = VirtualMeterCable::plugIn("B");
    makeWindow();
    m_itemOk = confirm;
    m_itemChoice = choice;
    child<QAction>("actionStart")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(child<QAction>("actionStart")->isChecked(), WaitMs);
    QCOMPARE(m_itemDialogs, 1);
    QCOMPARE(first->isOpen(), expectOpen == 0);
    QCOMPARE(second->isOpen(), expectOpen == 1);
    m_cable = expectOpen == 0 ? first : second;
    feedLive(irFields(3.0f));
    QCOMPARE(liveRows(), 1);
}

void TestAcquisition::startWithRefusingCableWarns()
{
    m_cable = VirtualMeterCable::plugIn();
    m_cable->setRefuseOpen(true);
    makeWindow();
    child<QAction>("actionStart")->trigger();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, QMessageBox::Warning);
    QCOMPARE(m_messages[0].text, QString("Failed to open device."));
    QVERIFY(!m_dmm->actived());
    QVERIFY(!child<QAction>("actionStart")->isChecked());

    // Once the cable is free, Start works.
    m_cable->setRefuseOpen(false);
    start();
}

void TestAcquisition::startWhileConnectedCloses()
{
    makeWindow();
    start();
    child<QAction>("actionStart")->trigger();
    QVERIFY(!m_dmm->actived());
    QVERIFY(!child<QAction>("actionStart")->isChecked());
    QVERIFY(!child<QAction>("actionStart")->isCheckable());
    QVERIFY(!m_cable->isOpen());
    QVERIFY(m_messages.isEmpty());
}

void TestAcquisition::unplugReportsOnce()
{
    makeWindow();
    start();
    feedLive(irFields(2.0f));
    m_cable->unplug();
    QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, WaitMs);
    QCOMPARE(m_messages[0].icon, QMessageBox::Critical);
    QCOMPARE(m_messages[0].text,
             QString("Data communication error.The equipment may have been disconnected."));
    QTRY_VERIFY_WITH_TIMEOUT(!m_dmm->actived(), WaitMs);
    QVERIFY(!child<QAction>("actionStart")->isChecked());
    QVERIFY(!child<QAction>("actionStart")->isCheckable());
    // Whatever else reports the loss later stays silent.
    QTest::qWait(1500);
    QCOMPARE(m_messages.size(), 1);
    // The readings taken before the loss are kept.
    QCOMPARE(liveRows(), 1);
}

// ---- recording ----

void TestAcquisition::liveReadingReachesPanelTableAndPlot()
{
    makeWindow();
    start();
    feedLive(irFields(123.0f));
    QVERIFY2(child<QLabel>("lcdMain")->text().contains("123"),
             qPrintable(child<QLabel>("lcdMain")->text()));
    QCOMPARE(liveRows(), 1);
    QCOMPARE(child<QTableView>("tv1")->model(), m_window->models()->liveModel(DMMData::dmIR));
    QCOMPARE(points(), 1);
    QCOMPARE(child<QCustomPlot>("plot1")->graph(0)->data()->begin()->value, 123000.0);
}

void TestAcquisition::pauseKeepsPanelOnly()
{
    makeWindow();
    start();
    feedLive(irFields(1.0f));
    child<QAction>("actionPause")->trigger();
    QVERIFY(child<QAction>("actionPause")->isChecked());
    feedLive(irFields(77.0f));
    QVERIFY(child<QLabel>("lcdMain")->text().contains("77"));
    QCOMPARE(liveRows(), 1);
    QCOMPARE(points(), 1);
    // Stored readings are not paused.
    feedStored(irFields(5.0f));
    QCOMPARE(m_window->currentStoredModel()->rowCount(QModelIndex()), 1);

    child<QTabWidget>("tabWgTV")->setCurrentIndex(0);
    child<QAction>("actionPause")->trigger();
    feedLive(irFields(78.0f));
    QCOMPARE(liveRows(), 2);
}

void TestAcquisition::samplePointsLimit()
{
    QSettings("options.ini", QSettings::IniFormat).setValue("SamplePoints", 10);
    makeWindow();
    start();
    for (int i = 0; i < 12; ++i)
        feedLive(irFields(float(i + 1)));
    QCOMPARE(liveRows(), 10);
    QVERIFY(child<QLabel>("lcdMain")->text().contains("12"));

    m_answers = {QMessageBox::Yes};
    child<QAction>("actionClear")->trigger();
    QCOMPARE(liveRows(), 0);
    feedLive(irFields(13.0f));
    QCOMPARE(liveRows(), 1);
}

void TestAcquisition::sampleIntervalTicks()
{
    // A long interval: the test delivers the ticks itself.
    QSettings("options.ini", QSettings::IniFormat).setValue("SampleInterval", 3600000);
    makeWindow();
    QVERIFY(m_window->sampleTimerId() != 0);
    start();
    auto tick = [this] {
        QTimerEvent tickEvent(m_window->sampleTimerId());
        QCoreApplication::sendEvent(m_window, &tickEvent);
    };

    feedLive(irFields(1.0f));
    QCOMPARE(liveRows(), 0);
    tick();
    feedLive(irFields(2.0f));
    feedLive(irFields(3.0f));
    QCOMPARE(liveRows(), 1);

    // A tick consumed by a reading while the Stored page is shown records
    // nothing, and the next reading on the Live page waits for a new tick.
    child<QTabWidget>("tabWgTV")->setCurrentIndex(1);
    tick();
    feedLive(irFields(4.0f));
    child<QTabWidget>("tabWgTV")->setCurrentIndex(0);
    feedLive(irFields(5.0f));
    QCOMPARE(liveRows(), 1);
    tick();
    feedLive(irFields(6.0f));
    QCOMPARE(liveRows(), 2);

    // Pausing clears a pending tick.
    tick();
    child<QAction>("actionPause")->trigger();
    child<QAction>("actionPause")->trigger();
    feedLive(irFields(7.0f));
    QCOMPARE(liveRows(), 2);
}

void TestAcquisition::recordAtTesttime_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("testing");
    QTest::addColumn<bool>("recorded");
    QTest::newRow("IR testing") << int(MeterFrameEncoder::IR) << true << true;
    QTest::newRow("IR idle") << int(MeterFrameEncoder::IR) << false << false;
    QTest::newRow("CAP idle") << int(MeterFrameEncoder::CAP) << false << false;
    QTest::newRow("VOLT idle") << int(MeterFrameEncoder::VOLT) << false << true;
}

void TestAcquisition::recordAtTesttime()
{
    QFETCH(int, mode);
    QFETCH(bool, testing);
    QFETCH(bool, recorded);
    QSettings("options.ini", QSettings::IniFormat).setValue("RecordAtTesttime", true);
    makeWindow();
    start();
    feedLive(modeFields(quint8(mode), testing));
    // The table switches to the reading's mode in any case.
    QCOMPARE(m_window->currentLiveMode(), mode);
    QCOMPARE(child<QTableView>("tv1")->model(), m_window->models()->liveModel(mode));
    QCOMPARE(liveRows(), recorded ? 1 : 0);
    QCOMPARE(points(), recorded ? 1 : 0);
}

void TestAcquisition::newModeSwitchesTableAndReloadsPlot()
{
    makeWindow();
    start();
    for (int i = 0; i < 3; ++i)
        feedLive(irFields(float(i + 1)));
    QCOMPARE(points(), 3);
    feedLive(modeFields(MeterFrameEncoder::PI));
    DataModel *pi = m_window->models()->liveModel(DMMData::dmPI);
    QCOMPARE(m_window->currentLiveModel(), pi);
    QCOMPARE(child<QTableView>("tv1")->model(), pi);
    QCOMPARE(pi->rowCount(QModelIndex()), 1);
    // The plot was reloaded from the (empty) PI table before the new point.
    QCOMPARE(points(), 1);
    QCOMPARE(child<QCustomPlot>("plot1")->graph(0)->name(), QString("PI"));
    // The IR rows are kept for when the dial comes back.
    QCOMPARE(m_window->models()->liveModel(DMMData::dmIR)->rowCount(QModelIndex()), 3);
    feedLive(irFields(9.0f));
    QCOMPARE(points(), 4);
}

void TestAcquisition::storedReadingBringsStoredPage()
{
    makeWindow();
    start();
    feedLive(irFields(1.0f));
    auto *pages = child<QTabWidget>("tabWgTV");
    QCOMPARE(pages->currentIndex(), 0);
    QSignalSpy pageChanges(pages, &QTabWidget::currentChanged);
    QSignalSpy buttonClicks(child<QPushButton>("btnStoredDAR"), &QPushButton::clicked);

    feedStored(modeFields(MeterFrameEncoder::DAR));
    QCOMPARE(pages->currentIndex(), 1);
    QCOMPARE(pageChanges.count(), 0);
    QVERIFY(child<QPushButton>("btnStoredDAR")->isChecked());
    QVERIFY(!child<QPushButton>("btnStoredIR")->isChecked());
    QCOMPARE(buttonClicks.count(), 0);
    DataModel *dar = m_window->models()->storedModel(DMMData::dmDAR);
    QCOMPARE(child<QTableView>("tvStored")->model(), dar);
    QCOMPARE(dar->rowCount(QModelIndex()), 1);
    // The plot now shows the stored DAR readings only.
    QCOMPARE(points(), 1);
    QCOMPARE(child<QCustomPlot>("plot1")->graph(0)->name(), QString("DAR"));

    // Live readings keep reaching the panel but are not recorded.
    feedLive(irFields(55.0f));
    QVERIFY(child<QLabel>("lcdMain")->text().contains("55"));
    QCOMPARE(m_window->models()->liveModel(DMMData::dmIR)->rowCount(QModelIndex()), 1);
    QCOMPARE(points(), 1);
}

void TestAcquisition::storedModeButtons()
{
    makeWindow();
    start();
    feedStored(modeFields(MeterFrameEncoder::IR));
    feedStored(modeFields(MeterFrameEncoder::IR));
    feedStored(modeFields(MeterFrameEncoder::PI));
    QCOMPARE(points(), 1);

    QTest::mouseClick(child<QPushButton>("btnStoredIR"), Qt::LeftButton);
    QCOMPARE(m_window->currentStoredMode(), int(DMMData::dmIR));
    QCOMPARE(child<QTableView>("tvStored")->model(),
             m_window->models()->storedModel(DMMData::dmIR));
    QCOMPARE(points(), 2);
    // Clicking the mode already shown changes nothing.
    QTest::mouseClick(child<QPushButton>("btnStoredIR"), Qt::LeftButton);
    QCOMPARE(points(), 2);
}

void TestAcquisition::plotFollowsPageAfterUserSwitch()
{
    makeWindow();
    start();
    feedStored(irFields(1.0f));
    // The user goes back to the Live page and readings are recorded there.
    child<QTabWidget>("tabWgTV")->setCurrentIndex(0);
    feedLive(irFields(2.0f));
    feedLive(irFields(3.0f));
    QCOMPARE(points(), 2);
    // A further stored reading of the same mode must not land on the live curve.
    feedStored(irFields(4.0f));
    QCOMPARE(child<QTabWidget>("tabWgTV")->currentIndex(), 1);
    QCOMPARE(points(), 2);
    const auto data = child<QCustomPlot>("plot1")->graph(0)->data();
    QCOMPARE(data->at(0)->value, 1000.0);
    QCOMPARE(data->at(1)->value, 4000.0);
}

void TestAcquisition::tableEndsAtNewestRow()
{
    makeWindow();
    start();
    auto *view = child<QTableView>("tv1");
    view->resize(view->width(), 120);
    for (int i = 0; i < 40; ++i)
        feedLive(irFields(float(i + 1)));
    QTRY_VERIFY_WITH_TIMEOUT(view->rowAt(view->viewport()->height() - 2) == 39 ||
                                 view->indexAt(QPoint(5, view->viewport()->height() - 2)).row() ==
                                     39,
                             WaitMs);
}

// ---- Clear and Export ----

void TestAcquisition::clear_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("yes");
    QTest::newRow("live yes") << 0 << true;
    QTest::newRow("live no") << 0 << false;
    QTest::newRow("stored yes") << 1 << true;
    QTest::newRow("stored no") << 1 << false;
}

void TestAcquisition::clear()
{
    QFETCH(int, page);
    QFETCH(bool, yes);
    makeWindow();
    start();
    feedLive(irFields(1.0f));
    feedLive(irFields(2.0f));
    feedStored(irFields(3.0f));
    child<QTabWidget>("tabWgTV")->setCurrentIndex(page);
    const int pointsBefore = points();
    QCOMPARE(pointsBefore, page == 0 ? 2 : 1);

    m_answers = {yes ? QMessageBox::Yes : QMessageBox::No};
    child<QAction>("actionClear")->trigger();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, QMessageBox::Question);
    QCOMPARE(m_messages[0].title, QString("Clear Data"));
    QCOMPARE(m_messages[0].text, QString("Are you sure you want to clear all data?"));

    DataModel *live = m_window->models()->liveModel(DMMData::dmIR);
    DataModel *stored = m_window->models()->storedModel(DMMData::dmIR);
    QCOMPARE(live->rowCount(QModelIndex()), yes && page == 0 ? 0 : 2);
    QCOMPARE(stored->rowCount(QModelIndex()), yes && page == 1 ? 0 : 1);
    QCOMPARE(points(), yes ? 0 : pointsBefore);
}

void TestAcquisition::exportCancelled()
{
    makeWindow();
    start();
    feedLive(irFields(1.0f));
    m_saveName.clear();
    child<QAction>("actionExport")->trigger();
    QCOMPARE(m_saveDialogs, 1);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(QDir().entryList(QDir::Files).filter(".csv").isEmpty());
    // The link is running again: readings keep coming and are recorded.
    feedLive(irFields(2.0f));
    QCOMPARE(liveRows(), 2);
}

void TestAcquisition::exportWritesVisibleTable_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("open");
    QTest::newRow("live, opened") << 0 << true;
    QTest::newRow("stored, not opened") << 1 << false;
}

void TestAcquisition::exportWritesVisibleTable()
{
    QFETCH(int, page);
    QFETCH(bool, open);
    makeWindow();
    start();
    feedLive(irFields(1.5f));
    feedLive(irFields(2.5f));
    feedStored(irFields(7.0f));
    child<QTabWidget>("tabWgTV")->setCurrentIndex(page);

    m_saveName = QDir(m_dir->path()).filePath("table.csv");
    m_answers = {open ? QMessageBox::Yes : QMessageBox::No};
    child<QAction>("actionExport")->trigger();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, QMessageBox::Question);
    QCOMPARE(m_messages[0].title, QString());
    QCOMPARE(m_messages[0].text,
             QString("The data is exported successfully.\r\nDo you want to open this file?"));
    QCOMPARE(m_opened.size(), open ? 1 : 0);
    if (open)
        QCOMPARE(m_opened[0], QUrl::fromLocalFile(m_saveName));

    DataModel *model = page == 0 ? m_window->currentLiveModel() : m_window->currentStoredModel();
    QStringList expected;
    QStringList header;
    for (int c = 0; c < model->columnCount(QModelIndex()); ++c)
        header << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    expected << header.join(',');
    for (int r = 0; r < model->rowCount(QModelIndex()); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(QModelIndex()); ++c)
            cells << model->data(model->index(r, c), Qt::DisplayRole).toString();
        expected << cells.join(',');
    }
    QCOMPARE(expected.size(), page == 0 ? 3 : 2);
    QFile f(m_saveName);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromLocal8Bit(f.readAll());
    QCOMPARE(text, expected.join('\n') + '\n');
    QVERIFY(text.startsWith("No.,Date/Time,Mode,RES,LC,V-Set,V-Out,DAR,PI,Time\n"));
}

void TestAcquisition::exportToUnwritablePlace()
{
    makeWindow();
    start();
    feedLive(irFields(1.0f));
    m_saveName = QDir(m_dir->path()).filePath("no-such-dir/table.csv");
    child<QAction>("actionExport")->trigger();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, QMessageBox::Information);
    QCOMPARE(m_messages[0].title, QString());
    QCOMPARE(m_messages[0].text, QString("The data is exported failed."));
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(liveRows(), 1);
}

// ---- settings and options ----

void TestAcquisition::firstCloseWritesDefaults()
{
    QVERIFY(!QFile::exists("options.ini"));
    makeWindow();
    QCOMPARE(m_window->sampleTimerId(), 0);
    start();
    // Without a settings file every reading is recorded.
    feedLive(irFields(1.0f, false));
    feedLive(irFields(2.0f, false));
    QCOMPARE(liveRows(), 2);
    QVERIFY(m_window->close());
    QVERIFY(!m_dmm->actived());
    QVERIFY(!m_cable->isOpen());

    QSettings s("options.ini", QSettings::IniFormat);
    QCOMPARE(s.value("Language").toString(), QString("0"));
    QCOMPARE(s.value("SamplePoints").toInt(), -1);
    QCOMPARE(s.value("SampleInterval").toInt(), 0);
    QCOMPARE(s.value("RecordAtTesttime").toBool(), false);
    QVERIFY(!s.value("geometry").toByteArray().isEmpty());
}

void TestAcquisition::optionsDialogAccepted()
{
    makeWindow();
    QTimer::singleShot(0, this, [this] {
        QWidget *dlg = waitForModal();
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QString("Options"));
        auto *language = dlg->findChild<QComboBox *>("cbbLanguage");
        QCOMPARE(language->count(), 2);
        QCOMPARE(language->currentText(), QString("Chinese"));
        QCOMPARE(language->itemData(1).toString(), QString("en_US"));
        auto *infinite = dlg->findChild<QCheckBox *>("cbInfinite");
        auto *points = dlg->findChild<QSpinBox *>("spinSamplePoints");
        QVERIFY(infinite->isChecked());
        QVERIFY(!points->isEnabled());
        infinite->setChecked(false);
        QVERIFY(points->isEnabled());
        points->setValue(25);
        dlg->findChild<QSpinBox *>("spinSampleInterval")->setValue(750);
        dlg->findChild<QCheckBox *>("cbRecordAtTesttimg")->setChecked(true);
        QTest::mouseClick(dlg->findChild<QPushButton *>("btnOK"), Qt::LeftButton);
    });
    child<QAction>("actionOptions")->trigger();
    QCOMPARE(m_window->samplePoints(), 25);
    QCOMPARE(m_window->sampleInterval(), 750);
    QVERIFY(m_window->sampleTimerId() != 0);

    QSettings s("options.ini", QSettings::IniFormat);
    QCOMPARE(s.value("Language").toString(), QString("zh_CN"));
    QCOMPARE(s.value("SamplePoints").toInt(), 25);
    QCOMPARE(s.value("SampleInterval").toInt(), 750);
    QCOMPARE(s.value("RecordAtTesttime").toBool(), true);

    // The next dialog shows what was stored.
    QTimer::singleShot(0, this, [this] {
        QWidget *dlg = waitForModal();
        QVERIFY(dlg);
        QVERIFY(!dlg->findChild<QCheckBox *>("cbInfinite")->isChecked());
        QCOMPARE(dlg->findChild<QSpinBox *>("spinSamplePoints")->value(), 25);
        QCOMPARE(dlg->findChild<QSpinBox *>("spinSampleInterval")->value(), 750);
        QVERIFY(dlg->findChild<QCheckBox *>("cbRecordAtTesttimg")->isChecked());
        dlg->findChild<QComboBox *>("cbbLanguage")->setCurrentIndex(1);
        dlg->findChild<QCheckBox *>("cbInfinite")->setChecked(true);
        QTest::mouseClick(dlg->findChild<QPushButton *>("btnOK"), Qt::LeftButton);
    });
    child<QAction>("actionOptions")->trigger();
    QCOMPARE(m_window->samplePoints(), -1);
    QCOMPARE(QSettings("options.ini", QSettings::IniFormat).value("Language").toString(),
             QString("en_US"));
}

void TestAcquisition::optionsDialogEscapeKeepsOptions()
{
    QSettings("options.ini", QSettings::IniFormat).setValue("SamplePoints", 40);
    makeWindow();
    QVERIFY(!QSettings("options.ini", QSettings::IniFormat).contains("geometry"));
    QTimer::singleShot(0, this, [this] {
        QWidget *dlg = waitForModal();
        QVERIFY(dlg);
        dlg->findChild<QSpinBox *>("spinSamplePoints")->setValue(3);
        dlg->findChild<QCheckBox *>("cbRecordAtTesttimg")->setChecked(true);
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    child<QAction>("actionOptions")->trigger();
    QCOMPARE(m_window->samplePoints(), 40);
    QCOMPARE(m_window->recordAtTesttime(), false);
    // The file is rewritten all the same, with the window's geometry.
    QSettings s("options.ini", QSettings::IniFormat);
    QCOMPARE(s.value("SamplePoints").toInt(), 40);
    QCOMPARE(s.value("Language").toString(), QString("0"));
    QVERIFY(!s.value("geometry").toByteArray().isEmpty());
}

void TestAcquisition::optionsIntervalZeroStopsTimer()
{
    QSettings("options.ini", QSettings::IniFormat).setValue("SampleInterval", 3600000);
    makeWindow();
    QVERIFY(m_window->sampleTimerId() != 0);
    start();
    feedLive(irFields(1.0f));
    QCOMPARE(liveRows(), 0);

    QTimer::singleShot(0, this, [this] {
        QWidget *dlg = waitForModal();
        QVERIFY(dlg);
        QCOMPARE(dlg->findChild<QSpinBox *>("spinSampleInterval")->value(), 3600000);
        dlg->findChild<QSpinBox *>("spinSampleInterval")->setValue(0);
        QTest::mouseClick(dlg->findChild<QPushButton *>("btnOK"), Qt::LeftButton);
    });
    child<QAction>("actionOptions")->trigger();
    QCOMPARE(m_window->sampleTimerId(), 0);
    feedLive(irFields(2.0f));
    feedLive(irFields(3.0f));
    QCOMPARE(liveRows(), 2);
}

QTEST_MAIN(TestAcquisition)
#include "tst_acquisition.moc"
