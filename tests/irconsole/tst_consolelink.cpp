// The HID link of the console program: device list, connecting, the feature
// report, frame assembly from input reports, the watchdog and the frame hold.

#include "clickpanel.h"
#include "consoletestform.h"
#include "hiddevice.h"
#include "hiddevicecontroller.h"
#include "lcdpanel.h"
#include "virtualconsolecable.h"
#include "virtualhidbus.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr int kWait = 10000;

// The 10-byte serial set-up: report ID 0, 2400 bit/s, format byte 3.
const QByteArray kFeature = QByteArray::fromHex("00600900000300000000");

// The "19.05" frame (22 bytes) in reports of 7, 7, 7 and 1 serial bytes,
// then one report without serial bytes.
const QList<QByteArray> kFrameReports = {
    QByteArray::fromHex("F700000000000000"), QByteArray::fromHex("F700000006BFD7B5"),
    QByteArray::fromHex("F70000000000000D"), QByteArray::fromHex("F10A000000000000"),
    QByteArray::fromHex("F000000000000000")};
const QString kFrame1905 = QStringLiteral("00000000000000000000"
                                          "06BFD7B5"
                                          "000000000000"
                                          "0D0A");

QList<QByteArray> reportsFromHex(const QStringList &hex)
{
    QList<QByteArray> out;
    for (const QString &h : hex)
        out << QByteArray::fromHex(h.toLatin1());
    return out;
}

void click(QWidget *w)
{
    const QPoint centre = w->rect().center();
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, centre, Qt::LeftButton,
                                                   Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, centre,
                                                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

QStringList historyOf(const TFrmTest &form)
{
    QStringList out;
    for (int i = 0; i < form.HistoryListBox->count(); ++i)
        out << form.HistoryListBox->item(i)->text();
    return out;
}

} // namespace

class TstConsoleLink : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { VirtualHidBus::instance().detachAll(); }

    void describeDevice_data();
    void describeDevice();
    void cableSelection_data();
    void cableSelection();
    void frameAssembly_data();
    void frameAssembly();
    void frameThroughTheCable();
    void connectAndDisconnectSendFeatureReport();
    void connectWithoutCable();
    void connectRefusedDevice();
    void watchdogDropsSilentLink();
    void activityIndicatorGoesDark();
    void deviceChangeRebuildsList();
    void readErrorsAreLogged();
    void holdKeepsWindowResponsive();
};

void TstConsoleLink::describeDevice_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<int>("vid");
    QTest::addColumn<int>("pid");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("text");

    QTest::newRow("product") << "USB to Serial" << 0x1A86 << 0xE008 << ""
                             << "USB to Serial";
    QTest::newRow("empty product") << "" << 0x1A86 << 0xE008 << ""
                                   << "Device VID=1A86 PID=E008";
    QTest::newRow("short ids") << "" << 0x00AB << 0x000C << ""
                               << "Device VID=00AB PID=000C";
    QTest::newRow("serial") << "USB to Serial" << 0x1A86 << 0xE008 << "0001"
                            << "USB to Serial (Serial=0001)";
    QTest::newRow("empty product, serial") << "" << 0x04D8 << 0xF00D << "xy"
                                           << "Device VID=04D8 PID=F00D (Serial=xy)";
}

void TstConsoleLink::describeDevice()
{
    QFETCH(QString, product);
    QFETCH(int, vid);
    QFETCH(int, pid);
    QFETCH(QString, serial);
    QFETCH(QString, text);
    HidDeviceRecord r;
    r.product = product;
    r.vendorId = quint16(vid);
    r.productId = quint16(pid);
    r.serialNumber = serial;
    const HidDevice device(r);
    QCOMPARE(TFrmTest::DescribeDevice(&device), text);
}

void TstConsoleLink::cableSelection_data()
{
    QTest::addColumn<QStringList>("products"); // "name|serial"
    QTest::addColumn<int>("selected");         // index into products, -1 none

    QTest::newRow("one") << QStringList{"USB to Serial|"} << 0;
    QTest::newRow("last of several")
        << QStringList{"USB to Serial|", "Other|", "USB to Serial|", "Keyboard|"} << 2;
    QTest::newRow("serial appended") << QStringList{"USB to Serial|123"} << -1;
    QTest::newRow("serial on the later one")
        << QStringList{"USB to Serial|", "USB to Serial|9"} << 0;
    QTest::newRow("other names") << QStringList{"USB to Serial ", "usb to serial|"} << -1;
    QTest::newRow("empty name") << QStringList{"|"} << -1;
}

void TstConsoleLink::cableSelection()
{
    QFETCH(QStringList, products);
    QFETCH(int, selected);
    QList<std::shared_ptr<VirtualConsoleCable>> cables;
    for (const QString &p : products) {
        const QStringList parts = p.split(QLatin1Char('|'));
        cables << VirtualConsoleCable::plugIn(parts.value(0), parts.value(1));
    }
    ConsoleTestForm form;
    HidDevice *device = form.selectedDevice();
    if (selected < 0) {
        QVERIFY(!device);
        QVERIFY(form.DevListBox->selectedItems().isEmpty());
    } else {
        QVERIFY(device);
        QCOMPARE(device->path(), cables.at(selected)->path());
    }
    // Every virtual device is listed by its description.
    for (const auto &cable : cables) {
        HidDevice d(cable->record());
        QVERIFY(
            !form.DevListBox->findItems(TFrmTest::DescribeDevice(&d), Qt::MatchExactly).isEmpty());
    }
}

void TstConsoleLink::frameAssembly_data()
{
    QTest::addColumn<QList<QByteArray>>("reports");
    QTest::addColumn<QStringList>("frames"); // as handed to the decoder

    QTest::newRow("7,7,7,1 then empty") << kFrameReports << QStringList{kFrame1905};

    QList<QByteArray> twice = kFrameReports.mid(0, 4) + kFrameReports;
    QTest::newRow("44-byte burst") << twice << QStringList{kFrame1905 + kFrame1905};

    QList<QByteArray> separated = kFrameReports + kFrameReports;
    QTest::newRow("two frames") << separated << QStringList{kFrame1905, kFrame1905};

    QTest::newRow("short burst dropped")
        << reportsFromHex({"F700000000000000", "F30D0A00", "F0000000"}) << QStringList{};
    QTest::newRow("wrong ending dropped")
        << reportsFromHex({"F700000000000000", "F700000006BFD7B5", "F70000000000000D",
                           "F10B000000000000", "F0000000"})
        << QStringList{};
    QTest::newRow("count A..F is no serial byte")
        << (kFrameReports.mid(0, 4) + reportsFromHex({"FA11223344556677"}))
        << QStringList{kFrame1905};
    QTest::newRow("empty reports only") << reportsFromHex({"F0", "F0000000", ""}) << QStringList{};
    // A report that claims more bytes than it carries adds only those it has.
    QTest::newRow("report shorter than its count")
        << reportsFromHex(
               {"F700000000000000", "F700000006BFD7B5", "F9000000000000", "F20D0A", "F0"})
        << QStringList{kFrame1905};
}

void TstConsoleLink::frameAssembly()
{
    QFETCH(QList<QByteArray>, reports);
    QFETCH(QStringList, frames);
    ConsoleTestForm form;
    QSignalSpy decoded(&form, &TFrmTest::frameDecoded);
    for (const QByteArray &r : reports)
        form.ReadPell(nullptr, 0, r);
    QStringList got;
    for (const QList<QVariant> &args : decoded)
        got << args.at(0).toString();
    QCOMPARE(got, frames);
    QVERIFY(form.frameHex.isEmpty());
    QVERIFY(!form.frameOpen);
}

void TstConsoleLink::frameThroughTheCable()
{
    auto cable = VirtualConsoleCable::plugIn();
    ConsoleTestForm form;
    form.decimalSeparator = QStringLiteral(".");
    QSignalSpy decoded(&form, &TFrmTest::frameDecoded);
    form.Panel2Click();
    QVERIFY(form.isConnected());
    for (const QByteArray &r : kFrameReports)
        cable->pushInputReport(r);
    QVERIFY(decoded.wait(kWait));
    QTRY_COMPARE_WITH_TIMEOUT(cable->pendingInputReports(), 0, kWait);
    // The last report has been handled once the reader reads again.
    cable->sendEmptyReports(1);
    QTRY_COMPARE_WITH_TIMEOUT(cable->pendingInputReports(), 0, kWait);
    QCOMPARE(decoded.count(), 1);
    QCOMPARE(decoded.at(0).at(0).toString(), kFrame1905);
    QCOMPARE(form.readingValue, QStringLiteral("19.05"));
    QVERIFY(form.lit("Point2"));
    QCOMPARE(form.lastReportText, QStringLiteral("R 00  F0 00 00 00 00 00 00 00 "));
}

void TstConsoleLink::connectAndDisconnectSendFeatureReport()
{
    auto cable = VirtualConsoleCable::plugIn();
    ConsoleTestForm form;
    QCOMPARE(form.Panel2->text(), QStringLiteral("CONNECT"));

    form.Panel2Click();
    QCOMPARE(cable->featureReports(), QList<QByteArray>{kFeature});
    QCOMPARE(cable->configuredBitRate(), 2400);
    QCOMPARE(form.Panel2->text(), QStringLiteral("DISCONNECT"));
    QVERIFY(form.USBCon->isChecked());
    QVERIFY(form.currentDevice() && form.currentDevice()->isReading());
    QVERIFY(historyOf(form).contains(QStringLiteral("00 60 09 00 00 03 00 00 00 00 ")));

    form.Panel2Click();
    QCOMPARE(cable->featureReports(), (QList<QByteArray>{kFeature, kFeature}));
    QCOMPARE(form.Panel2->text(), QStringLiteral("CONNECT"));
    QVERIFY(!form.USBCon->isChecked());
    QVERIFY(!form.currentDevice()->isReading());
    QVERIFY(form.messages.isEmpty());

    // Connecting again works.
    form.Panel2Click();
    QVERIFY(form.currentDevice()->isReading());
    QCOMPARE(cable->featureReports().size(), 3);
}

void TstConsoleLink::connectWithoutCable()
{
    auto other = VirtualConsoleCable::plugIn(QStringLiteral("Some Mouse"));
    ConsoleTestForm form;
    form.Panel2Click();
    QCOMPARE(
        form.messages,
        QStringList{"USB interface cable is not securely connected, please check and re-try."});
    QVERIFY(!form.USBCon->isChecked());
    QCOMPARE(form.Panel2->text(), QStringLiteral("CONNECT"));
    QVERIFY(other->featureReports().isEmpty());
}

void TstConsoleLink::connectRefusedDevice()
{
    auto cable = VirtualConsoleCable::plugIn();
    cable->setRefuseOpen(true);
    ConsoleTestForm form;
    form.Panel2Click();
    QVERIFY(!form.USBCon->isChecked());
    QCOMPARE(form.Panel2->text(), QStringLiteral("CONNECT"));
    QVERIFY(form.messages.isEmpty());
    QVERIFY(!form.selectedDevice()->isReading());
    // The failed set-up is logged, not passed over.
    QVERIFY(historyOf(form).last().startsWith(QStringLiteral("SET FEATURE FAILED")));
}

void TstConsoleLink::watchdogDropsSilentLink()
{
    auto cable = VirtualConsoleCable::plugIn();
    ConsoleTestForm form;
    QSignalSpy messages(&form, &TFrmTest::messageShown);
    form.Panel2Click();
    QVERIFY(form.isConnected());

    cable->sendEmptyReports(TFrmTest::kSilentReportLimit);
    QTRY_COMPARE_WITH_TIMEOUT(form.silentReports, TFrmTest::kSilentReportLimit, kWait);
    // 1899 empty reports are tolerated, however many checks pass.
    QTest::qWait(1000);
    QVERIFY(form.isConnected());
    QCOMPARE(messages.count(), 0);

    cable->sendEmptyReports(1);
    QVERIFY(messages.wait(kWait));
    QCOMPARE(messages.at(0).at(0).toString(),
             QStringLiteral(
                 "USB interface cable is securely connected, please check if the meter is ready."));
    QVERIFY(!form.isConnected());
    QCOMPARE(form.silentReports, 0);
    QCOMPARE(form.Panel2->text(), QStringLiteral("CONNECT"));
    QCOMPARE(form.Panel2->fontColor(), QColor(Qt::yellow));
    QVERIFY(!form.currentDevice()->isReading());
    // Dropping the link sends no set-up.
    QCOMPARE(cable->featureReports().size(), 1);
}

void TstConsoleLink::activityIndicatorGoesDark()
{
    ConsoleTestForm form;
    form.ShowDataTrv(kFrame1905);
    QVERIFY(form.lit("CONok"));
    QTRY_VERIFY_WITH_TIMEOUT(!form.lit("CONok") && form.lit("CONokN"), kWait);
    QVERIFY(form.lit("rsUSB"));
}

void TstConsoleLink::deviceChangeRebuildsList()
{
    auto cable = VirtualConsoleCable::plugIn();
    ConsoleTestForm form;
    form.HidCtl->setPollInterval(60 * 60 * 1000); // changes are checked by hand below
    form.Panel2Click();
    QPointer<HidDevice> connected = form.currentDevice();
    QVERIFY(connected && connected->isReading());

    auto second = VirtualConsoleCable::plugIn(QStringLiteral("USB to Serial"));
    form.HidCtl->checkDevices();
    QVERIFY(historyOf(form).contains(QStringLiteral("Arrival of USB to Serial")));
    // The list is rebuilt: the last "USB to Serial" is selected, the old
    // device object is released and reading has stopped.
    QCOMPARE(form.selectedDevice()->path(), second->path());
    QTRY_VERIFY_WITH_TIMEOUT(connected.isNull(), kWait);
    QCOMPARE(form.Panel2->text(), QStringLiteral("DISCONNECT"));

    // The user's click then runs the disconnect path.
    form.Panel2Click();
    QCOMPARE(form.Panel2->text(), QStringLiteral("CONNECT"));
    QVERIFY(!form.isConnected());

    VirtualHidBus::instance().detach(second->path());
    form.HidCtl->checkDevices();
    QVERIFY(historyOf(form).contains(QStringLiteral("Removal of USB to Serial")));
    QCOMPARE(form.selectedDevice()->path(), cable->path());
}

void TstConsoleLink::readErrorsAreLogged()
{
    auto cable = VirtualConsoleCable::plugIn();
    ConsoleTestForm form;
    form.Panel2Click();
    cable->injectReadError();
    QTRY_VERIFY_WITH_TIMEOUT(
        !historyOf(form).filter(QStringLiteral("READ ERROR: input/output error (")).isEmpty(),
        kWait);
    QVERIFY(form.isConnected());
    // Reading goes on after the error.
    QSignalSpy decoded(&form, &TFrmTest::frameDecoded);
    for (const QByteArray &r : kFrameReports)
        cable->pushInputReport(r);
    QVERIFY(decoded.wait(kWait));
}

void TstConsoleLink::holdKeepsWindowResponsive()
{
    auto cable = VirtualConsoleCable::plugIn();
    ConsoleTestForm form;
    form.decimalSeparator = QStringLiteral(".");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Panel2Click();
    QSignalSpy decoded(&form, &TFrmTest::frameDecoded);
    for (const QByteArray &r : kFrameReports)
        cable->pushInputReport(r);
    QVERIFY(decoded.wait(kWait));
    QCOMPARE(form.readingValue, QStringLiteral("19.05"));

    // The next frame ("LL") is held long enough to act during the hold.
    form.setFrameHoldMs(2500);
    struct Sample
    {
        bool taken = false, holding = false, oldDigitsShown = false, pointShown = false;
        int paintsBefore = 0, paintsAfter = 0;
    } sample;
    QMetaObject::Connection c = connect(&form, &TFrmTest::frameDecoded, &form, [&] {
        QTimer::singleShot(300, &form, [&] {
            sample.taken = true;
            sample.holding = form.isHoldingFrame();
            sample.oldDigitsShown = form.caption("LabelA") == QLatin1String("1") &&
                                    form.caption("LabelD") == QLatin1String("5") &&
                                    form.lit("LabelC");
            sample.pointShown = form.lit("Point2"); // the darkened state would hide it
            sample.paintsBefore = form.Panel4->paintCount();
            form.Panel4->repaint();
            sample.paintsAfter = form.Panel4->paintCount();
            click(form.Panel2); // DISCONNECT while the reader waits for us
            click(form.Panel3); // EXIT
        });
    });
    cable->sendSerial(QByteArray::fromHex("00000000000000000000D0D00000000000000000") + "\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(sample.taken, kWait);
    QTRY_VERIFY_WITH_TIMEOUT(!form.isHoldingFrame(), kWait);
    disconnect(c);

    QVERIFY(sample.holding);
    QVERIFY(sample.oldDigitsShown);
    QVERIFY(sample.pointShown);
    QVERIFY(sample.paintsAfter > sample.paintsBefore);
    // The clicks were handled during the hold: the link is down, the set-up
    // was sent again, the reader has stopped, and the end was asked for.
    QTRY_COMPARE_WITH_TIMEOUT(form.Panel2->text(), QStringLiteral("CONNECT"), kWait);
    QVERIFY(!form.isConnected());
    QCOMPARE(cable->featureReports().size(), 2);
    QVERIFY(!form.currentDevice()->isReading());
    QCOMPARE(form.quitRequests, 1);
    // The held frame is shown after the hold in one step.
    QCOMPARE(form.readingValue, QStringLiteral("LL"));
    QVERIFY(!form.lit("Point2"));
}

QTEST_MAIN(TstConsoleLink)
#include "tst_consolelink.moc"
