// The HID transport driven through the virtual meter cable and real hidapi.

#include "hiddevice.h"
#include "virtualhidbus.h"
#include "virtualmetercable.h"

#include "logcapture.h"

#include <QtTest>

#include <memory>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

QByteArray counting(int from, int n)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(char(from + i));
    return b;
}

// Polls without running the event loop, so queued signals stay queued.
template <typename Pred> bool waitWithoutEvents(Pred pred, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(5);
    }
    return true;
}

// Copies what readyRead points to at the moment the main thread handles it.
struct Receiver
{
    QList<QByteArray> viaPointer;
    QList<QByteArray> viaBytes;

    void attach(HIDDevice &dev)
    {
        QObject::connect(&dev, &HIDDevice::readyRead, [this](unsigned char *data, uint length) {
            viaPointer.append(QByteArray(reinterpret_cast<const char *>(data), int(length)));
        });
        QObject::connect(&dev, &HIDDevice::readyReadBytes,
                         [this](const QByteArray &data) { viaBytes.append(data); });
    }
};

} // namespace

class TstHIDDevice : public QObject
{
    Q_OBJECT
private:
    LogCapture *m_log = nullptr;

private slots:
    void initTestCase() { m_log = new LogCapture; }
    void cleanupTestCase() { delete m_log; }
    void init() { LogCapture::clear(); }
    void cleanup() { VirtualHidBus::instance().detachAll(); }

    void enumerateTwoCables()
    {
        auto a = VirtualMeterCable::plugIn(QStringLiteral("A1"));
        auto b = VirtualMeterCable::plugIn(QStringLiteral("B2"));
        a->setInterface(0xFF00, 0x0001, 0, 0x0100);
        const QList<HIDDevInfo> list = HIDDevice::enumerate(0x1A86, 0xE429);
        QCOMPARE(list.size(), 2);
        QVERIFY(list.at(0).path != list.at(1).path);
        QCOMPARE(list.at(0).path, QString::fromLatin1(a->path()));
        QCOMPARE(list.at(0).vendorId, ushort(0x1A86));
        QCOMPARE(list.at(0).productId, ushort(0xE429));
        QCOMPARE(list.at(0).serialNumber, QStringLiteral("A1"));
        QCOMPARE(list.at(0).releaseNumber, ushort(0x0100));
        QCOMPARE(list.at(0).manufacturer, a->record().manufacturer);
        QCOMPARE(list.at(0).product, a->record().product);
        QCOMPARE(list.at(0).usagePage, ushort(0xFF00));
        QCOMPARE(list.at(0).usage, ushort(0x0001));
        QCOMPARE(list.at(0).interfaceNumber, 0);
        QCOMPARE(list.at(1).serialNumber, QStringLiteral("B2"));
        QVERIFY(HIDDevice::enumerate(0x1A86, 0x0001).isEmpty());
    }

    void reportContentIsDelivered_data()
    {
        QTest::addColumn<QByteArray>("readResult"); // what one read returns
        QTest::addColumn<QByteArray>("delivered");
        QTest::addColumn<bool>("badCount");

        auto full = [](int count, const QByteArray &payload) {
            QByteArray r(64, '\0');
            r[0] = char(count);
            r.replace(1, payload.size(), payload);
            return r;
        };
        QTest::newRow("count 0") << full(0, QByteArray()) << QByteArray() << false;
        QTest::newRow("count 1") << full(1, bytes({0xAB, 0xCD})) << bytes({0xAB}) << false;
        QTest::newRow("count 63") << full(63, counting(1, 63)) << counting(1, 63) << false;
        QTest::newRow("count 64") << full(64, counting(1, 63)) << counting(1, 63) << true;
        QTest::newRow("count 255") << full(255, counting(1, 63)) << counting(1, 63) << true;
        QTest::newRow("short read, count fits")
            << bytes({3, 0x10, 0x20, 0x30, 0, 0}) << bytes({0x10, 0x20, 0x30}) << false;
        QTest::newRow("short read, count beyond it")
            << bytes({40, 0x10, 0x20, 0x30}) << bytes({0x10, 0x20, 0x30}) << true;
        QTest::newRow("count byte only") << bytes({5}) << QByteArray() << true;
        QTest::newRow("read longer than a report")
            << (QByteArray(1, char(70)) + counting(1, 79)) << counting(1, 63) << true;
    }

    void reportContentIsDelivered()
    {
        QFETCH(QByteArray, readResult);
        QFETCH(QByteArray, delivered);
        QFETCH(bool, badCount);

        auto cable = VirtualMeterCable::plugIn();
        HIDDevice dev;
        Receiver rx;
        rx.attach(dev);
        QVERIFY(dev.open(QString::fromLatin1(cable->path())));
        cable->sendRawBytes(readResult);
        QTRY_COMPARE_WITH_TIMEOUT(rx.viaBytes.size(), 1, 10000);
        QCOMPARE(rx.viaBytes.at(0), delivered);
        QCOMPARE(rx.viaPointer, rx.viaBytes);
        dev.close();
        QCOMPARE(LogCapture::count(QStringLiteral("announces")) > 0, badCount);
    }

    void backToBackReportsKeepTheirBytesWhenMainThreadIsLate()
    {
        auto cable = VirtualMeterCable::plugIn();
        HIDDevice dev;
        Receiver rx;
        rx.attach(dev);
        QVERIFY(dev.open(QString::fromLatin1(cable->path())));
        const QList<QByteArray> sent{bytes({0xAB, 0xCD, 0x00}), bytes({0x0A, 0x02}),
                                     counting(0x40, 63), bytes({0x99})};
        for (const QByteArray &s : sent)
            cable->sendSerial(s);
        cable->sendEmptyReport();
        const QList<QByteArray> expected = sent + QList<QByteArray>{QByteArray()};
        // Keep the main thread busy while the reader takes every report.
        QVERIFY(waitWithoutEvents([&] { return cable->pendingInputReports() == 0; }));
        QThread::msleep(200);
        QTRY_COMPARE_WITH_TIMEOUT(rx.viaPointer.size(), expected.size(), 10000);
        QCOMPARE(rx.viaPointer, expected);
        QCOMPARE(rx.viaBytes, expected);
    }

    void openTwiceFailsAndLeavesDeviceOpen()
    {
        auto cable = VirtualMeterCable::plugIn();
        auto other = VirtualMeterCable::plugIn();
        HIDDevice dev;
        QSignalSpy openedSpy(&dev, &HIDDevice::opened);
        QSignalSpy closedSpy(&dev, &HIDDevice::closed);
        Receiver rx;
        rx.attach(dev);
        const QString path = QString::fromLatin1(cable->path());
        QVERIFY(dev.open(path));
        QVERIFY(!dev.open(path));
        QVERIFY(!dev.open(QString::fromLatin1(other->path())));
        QVERIFY(!dev.open(ushort(0x1A86), ushort(0xE429)));
        QCOMPARE(openedSpy.count(), 1);
        QCOMPARE(closedSpy.count(), 0);
        QCOMPARE(cable->openCount(), 1);
        QCOMPARE(other->openCount(), 0);
        cable->sendSerial(bytes({0x42}));
        QTRY_COMPARE_WITH_TIMEOUT(rx.viaBytes.size(), 1, 10000);
        QCOMPARE(rx.viaBytes.at(0), bytes({0x42}));
    }

    void openFailuresEmitNothing_data()
    {
        QTest::addColumn<int>("failure");
        QTest::newRow("refused") << 0;
        QTest::newRow("unplugged") << 1;
        QTest::newRow("unknown virtual path") << 2;
        QTest::newRow("unknown real path") << 3;
    }

    void openFailuresEmitNothing()
    {
        QFETCH(int, failure);
        auto cable = VirtualMeterCable::plugIn();
        QString path = QString::fromLatin1(cable->path());
        if (failure == 0)
            cable->setRefuseOpen(true);
        else if (failure == 1)
            cable->unplug();
        else if (failure == 2)
            path += QStringLiteral("999");
        else
            path = QStringLiteral("/dev/hidraw-not-a-device");
        HIDDevice dev;
        QSignalSpy openedSpy(&dev, &HIDDevice::opened);
        QSignalSpy startSpy(&dev, &HIDDevice::startRead);
        QVERIFY(!dev.open(path));
        QVERIFY(!dev.isOpen());
        QCOMPARE(openedSpy.count(), 0);
        QCOMPARE(startSpy.count(), 0);
        QCOMPARE(cable->openCount(), 0);
    }

    void realHidapiFindsNoCable()
    {
        // No cable attached to this machine and no virtual one plugged in.
        QVERIFY(HIDDevice::enumerate(0x1A86, 0xE429).isEmpty());
        HIDDevice dev;
        QVERIFY(!dev.open(ushort(0x1A86), ushort(0xE429)));
        QVERIFY(!dev.open(QStringLiteral("/dev/hidraw250")));
    }

    void closeWithoutOpenEmitsClosed()
    {
        HIDDevice dev;
        QSignalSpy closedSpy(&dev, &HIDDevice::closed);
        dev.close();
        QCOMPARE(closedSpy.count(), 1);
        dev.close();
        QCOMPARE(closedSpy.count(), 2);
    }

    void closeReleasesDeviceAndReopens()
    {
        auto cable = VirtualMeterCable::plugIn();
        const QString path = QString::fromLatin1(cable->path());
        HIDDevice dev;
        QSignalSpy openedSpy(&dev, &HIDDevice::opened);
        QSignalSpy closedSpy(&dev, &HIDDevice::closed);
        Receiver rx;
        rx.attach(dev);
        for (int session = 0; session < 2; ++session) {
            QVERIFY(dev.open(path));
            cable->sendSerial(bytes({session}));
            QTRY_COMPARE_WITH_TIMEOUT(rx.viaBytes.size(), session + 1, 10000);
            dev.close();
            QCOMPARE(cable->openCount(), 0);
            QVERIFY(!dev.isOpen());
        }
        QCOMPARE(rx.viaBytes, (QList<QByteArray>{bytes({0}), bytes({1})}));
        QCOMPARE(openedSpy.count(), 2);
        QCOMPARE(closedSpy.count(), 2);
        QCOMPARE(LogCapture::count(QStringLiteral("doRead false")), 2);
    }

    void closeRightAfterOpenNeitherHangsNorLeaks()
    {
        // The read loop may not have started when close() comes.
        auto cable = VirtualMeterCable::plugIn();
        const QString path = QString::fromLatin1(cable->path());
        HIDDevice dev;
        QSignalSpy closedSpy(&dev, &HIDDevice::closed);
        for (int i = 0; i < 10; ++i) {
            QVERIFY(dev.open(path));
            dev.close();
            QCOMPARE(cable->openCount(), 0);
        }
        QCOMPARE(closedSpy.count(), 10);
        // Stale start requests from those sessions do not disturb a new one.
        Receiver rx;
        rx.attach(dev);
        QVERIFY(dev.open(path));
        cable->sendSerial(bytes({0x77}));
        QTRY_COMPARE_WITH_TIMEOUT(rx.viaBytes.size(), 1, 10000);
        QCOMPARE(cable->openCount(), 1);
    }

    void unplugEndsInDeviceLostNotLogFlood()
    {
        auto cable = VirtualMeterCable::plugIn();
        HIDDevice dev;
        QSignalSpy lostSpy(&dev, &HIDDevice::deviceLost);
        QSignalSpy closedSpy(&dev, &HIDDevice::closed);
        QVERIFY(dev.open(QString::fromLatin1(cable->path())));
        cable->unplug();
        QVERIFY(lostSpy.wait(10000));
        QCOMPARE(cable->openCount(), 0); // the loop has closed the handle
        const int linesAtLoss = LogCapture::count(QStringLiteral("doRead"));
        QVERIFY2(linesAtLoss <= 4, qPrintable(LogCapture::captured().join('\n')));
        // Nothing more is logged while the link has not been closed yet.
        QTest::qWait(300);
        QCOMPARE(LogCapture::count(QStringLiteral("doRead")), linesAtLoss);
        QCOMPARE(lostSpy.count(), 1);
        QCOMPARE(closedSpy.count(), 0);
        dev.close();
        QCOMPARE(closedSpy.count(), 1);
        QVERIFY(!dev.isOpen());
    }

    void lossOfClosedSessionIsNotRelayed()
    {
        auto cable = VirtualMeterCable::plugIn();
        auto next = VirtualMeterCable::plugIn();
        HIDDevice dev;
        QSignalSpy lostSpy(&dev, &HIDDevice::deviceLost);
        QVERIFY(dev.open(QString::fromLatin1(cable->path())));
        cable->unplug();
        // Wait for the loop to give up without letting the main thread see it.
        QVERIFY(waitWithoutEvents(
            [] { return LogCapture::count(QStringLiteral("device lost")) == 1; }));
        dev.close();
        QVERIFY(dev.open(QString::fromLatin1(next->path())));
        QTest::qWait(200);
        QCOMPARE(lostSpy.count(), 0);
        QVERIFY(dev.isOpen());
    }

    void transientReadErrorIsLoggedAndReadingGoesOn()
    {
        auto cable = VirtualMeterCable::plugIn();
        HIDDevice dev;
        QSignalSpy lostSpy(&dev, &HIDDevice::deviceLost);
        Receiver rx;
        rx.attach(dev);
        QVERIFY(dev.open(QString::fromLatin1(cable->path())));
        cable->injectReadError();
        cable->sendSerial(bytes({0x01}));
        QTRY_COMPARE_WITH_TIMEOUT(rx.viaBytes.size(), 1, 10000);
        QCOMPARE(rx.viaBytes.at(0), bytes({0x01}));
        QCOMPARE(LogCapture::count(QStringLiteral("doRead")), 1);
        QCOMPARE(lostSpy.count(), 0);
        QVERIFY(dev.isOpen());
    }

    void commandsAreWrittenWhileReading()
    {
        auto cable = VirtualMeterCable::plugIn();
        HIDDevice dev;
        Receiver rx;
        rx.attach(dev);
        const QByteArray early = bytes({0x00, 0x5A});
        // Queued while closed: written once the link is open.
        dev.addCommand(QSharedPointer<Command>::create(early, false, 2000, QVariant()), Pump::Once);
        QVERIFY(dev.open(QString::fromLatin1(cable->path())));
        // Keep the cable streaming so the loop is busy reading.
        cable->setReportInterval(std::chrono::milliseconds(5));
        for (int i = 0; i < 1000; ++i)
            cable->sendSerial(bytes({i & 0xFF}));
        const QList<QByteArray> cmds{bytes({0x00, 0x01, 0x02, 0x03}), bytes({0x00, 0xFF}),
                                     bytes({0x00, 0x10})};
        for (const QByteArray &c : cmds)
            dev.addCommand(QSharedPointer<Command>::create(c, false, 2000, QVariant()), Pump::Once);
        QTRY_COMPARE_WITH_TIMEOUT(cable->writtenReports().size(), 4, 10000);
        QCOMPARE(cable->writtenReports(),
                 (QList<QByteArray>{early, cmds.at(0), cmds.at(1), cmds.at(2)}));
        QVERIFY(dev.isOpen());
        QVERIFY(cable->pendingInputReports() > 0); // still streaming: written during the read loop
        dev.close();
        // After close nothing reaches the device.
        dev.addCommand(
            QSharedPointer<Command>::create(bytes({0x00, 0xEE}), false, 2000, QVariant()),
            Pump::Once);
        QTest::qWait(100);
        QCOMPARE(cable->writtenReports().size(), 4);
    }

    void failedWriteIsLogged()
    {
        auto cable = VirtualMeterCable::plugIn();
        HIDDevice dev;
        QVERIFY(dev.open(QString::fromLatin1(cable->path())));
        dev.addCommand(QSharedPointer<Command>::create(QByteArray(), false, 2000, QVariant()),
                       Pump::Once);
        QTRY_VERIFY_WITH_TIMEOUT(LogCapture::count(QStringLiteral("nextCommand")) >= 1, 10000);
        const QByteArray ok = bytes({0x00, 0x31});
        dev.addCommand(QSharedPointer<Command>::create(ok, false, 2000, QVariant()), Pump::Once);
        QTRY_COMPARE_WITH_TIMEOUT(cable->writtenReports(), QList<QByteArray>{ok}, 10000);
    }
};

QTEST_GUILESS_MAIN(TstHIDDevice)
#include "tst_hiddevice.moc"
