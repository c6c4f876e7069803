// The HID access layer: virtual devices side by side with real hidapi.

#include "hidlayer.h"
#include "virtualhidbus.h"
#include "virtualhiddevice.h"

#include <QtTest>

#include <memory>
#include <thread>

namespace {

std::shared_ptr<VirtualHidDevice> plug(quint16 vid, quint16 pid, const QString &product,
                                       const QString &serial = QString())
{
    auto device =
        std::make_shared<VirtualHidDevice>(vid, pid, product, QStringLiteral("Maker"), serial);
    VirtualHidBus::instance().attach(device);
    return device;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

// Reads one report into a QByteArray (empty on time-out, "ERR" on error).
QByteArray readOne(HidHandle *h, int ms)
{
    unsigned char buf[64] = {};
    const int n = HidLayer::readTimeout(h, buf, sizeof buf, ms);
    if (n < 0)
        return QByteArrayLiteral("ERR");
    return QByteArray(reinterpret_cast<const char *>(buf), n);
}

} // namespace

class TstHidLayer : public QObject
{
    Q_OBJECT
private slots:
    void init() { HidLayer::init(); }
    void cleanup()
    {
        VirtualHidBus::instance().detachAll();
        HidLayer::exit();
    }

    void enumerateListsVirtualDevicesWithAllFields()
    {
        auto a = plug(0x1A86, 0xE429, QStringLiteral("Cable A"), QStringLiteral("S1"));
        a->setInterface(0xFF00, 0x0001, 2, 0x0110);
        auto b = plug(0x1A86, 0xE429, QStringLiteral("Cable B"));
        auto other = plug(0x1234, 0x5678, QStringLiteral("Other"));

        const QList<HidDeviceRecord> list = HidLayer::enumerate(0x1A86, 0xE429);
        QCOMPARE(list.size(), 2);
        QVERIFY(list.at(0).path.startsWith(HidLayer::virtualPathPrefix()));
        QVERIFY(list.at(0).path != list.at(1).path);
        const HidDeviceRecord &r = list.at(0);
        QCOMPARE(r.path, a->path());
        QCOMPARE(r.vendorId, quint16(0x1A86));
        QCOMPARE(r.productId, quint16(0xE429));
        QCOMPARE(r.serialNumber, QStringLiteral("S1"));
        QCOMPARE(r.releaseNumber, quint16(0x0110));
        QCOMPARE(r.manufacturer, QStringLiteral("Maker"));
        QCOMPARE(r.product, QStringLiteral("Cable A"));
        QCOMPARE(r.usagePage, quint16(0xFF00));
        QCOMPARE(r.usage, quint16(0x0001));
        QCOMPARE(r.interfaceNumber, 2);
        QCOMPARE(list.at(1).product, QStringLiteral("Cable B"));

        // 0 matches any identifier.
        QCOMPARE(HidLayer::enumerate(0x1234, 0).size(), 1);
        int virtualCount = 0;
        for (const HidDeviceRecord &d : HidLayer::enumerate(0, 0))
            virtualCount += d.path.startsWith(HidLayer::virtualPathPrefix()) ? 1 : 0;
        QCOMPARE(virtualCount, 3);
        Q_UNUSED(b)
        Q_UNUSED(other)
    }

    void openByIdentifiersPicksFirstMatchAndSerial()
    {
        auto a = plug(0x1A86, 0xE429, QStringLiteral("A"), QStringLiteral("111"));
        auto b = plug(0x1A86, 0xE429, QStringLiteral("B"), QStringLiteral("222"));
        HidHandle *h = HidLayer::open(0x1A86, 0xE429, QStringLiteral("222"));
        QVERIFY(h);
        QVERIFY(b->isOpen());
        QVERIFY(!a->isOpen());
        HidLayer::close(h);
        QVERIFY(!b->isOpen());

        h = HidLayer::open(0x1A86, 0xE429);
        QVERIFY(h);
        QVERIFY(a->isOpen());
        HidLayer::close(h);

        QVERIFY(!HidLayer::open(0x1A86, 0xE429, QStringLiteral("333")));
        QVERIFY(!HidLayer::error(nullptr).isEmpty());
    }

    void readHonoursTimeoutAndReturnsReportsInOrder()
    {
        auto d = plug(1, 2, QStringLiteral("D"));
        HidHandle *h = HidLayer::openPath(d->path());
        QVERIFY(h);
        QCOMPARE(readOne(h, 0), QByteArray());  // poll
        QCOMPARE(readOne(h, 30), QByteArray()); // time-out
        d->pushInputReport(bytes({0x02, 0xAB, 0xCD}));
        d->pushInputReport(bytes({0x01, 0x55}));
        QCOMPARE(readOne(h, 1000), bytes({0x02, 0xAB, 0xCD}));
        QCOMPARE(readOne(h, 1000), bytes({0x01, 0x55}));
        QCOMPARE(d->deliveredInputReports(), qint64(2));

        // A report longer than the caller's buffer is cut to the buffer.
        d->pushInputReport(QByteArray(100, 'x'));
        unsigned char small[4] = {};
        QCOMPARE(HidLayer::readTimeout(h, small, sizeof small, 1000), 4);

        // Non-blocking read() polls.
        HidLayer::setNonblocking(h, true);
        QCOMPARE(HidLayer::read(h, small, sizeof small), 0);
        HidLayer::close(h);
    }

    void blockedReadWakesForReportFromOtherThread()
    {
        auto d = plug(1, 2, QStringLiteral("D"));
        HidHandle *h = HidLayer::openPath(d->path());
        QVERIFY(h);
        std::thread pusher([d] {
            QThread::msleep(50);
            d->pushInputReport(bytes({0x01, 0x7F}));
        });
        const QByteArray got = readOne(h, 10000);
        pusher.join();
        QCOMPARE(got, bytes({0x01, 0x7F}));
        HidLayer::close(h);
    }

    void injectedErrorFailsOneRead()
    {
        auto d = plug(1, 2, QStringLiteral("D"));
        HidHandle *h = HidLayer::openPath(d->path());
        d->pushInputReport(bytes({0x00}));
        d->injectReadError();
        QCOMPARE(readOne(h, 1000), QByteArrayLiteral("ERR"));
        QVERIFY(!HidLayer::error(h).isEmpty());
        QCOMPARE(readOne(h, 1000), bytes({0x00}));
        HidLayer::close(h);
    }

    void unpluggedDeviceLeavesEnumerationAndFails()
    {
        auto d = plug(0x1A86, 0xE429, QStringLiteral("D"));
        HidHandle *h = HidLayer::openPath(d->path());
        QVERIFY(h);
        std::thread unplugger([d] {
            QThread::msleep(50);
            d->unplug();
        });
        // A read waiting for a report fails once the device is gone.
        QCOMPARE(readOne(h, 10000), QByteArrayLiteral("ERR"));
        unplugger.join();
        QCOMPARE(readOne(h, 0), QByteArrayLiteral("ERR"));
        const QByteArray out = bytes({0x00, 0x01});
        QCOMPARE(HidLayer::write(h, reinterpret_cast<const unsigned char *>(out.constData()), 2),
                 -1);
        QVERIFY(!HidLayer::error(h).isEmpty());
        QVERIFY(HidLayer::enumerate(0x1A86, 0xE429).isEmpty());
        QVERIFY(!HidLayer::openPath(d->path()));
        HidLayer::close(h);

        // detach() unplugs as well.
        auto e = plug(0x1A86, 0xE429, QStringLiteral("E"));
        VirtualHidBus::instance().detach(e->path());
        QVERIFY(!e->isPlugged());
        QVERIFY(HidLayer::enumerate(0x1A86, 0xE429).isEmpty());
    }

    void refusedOpenFailsWithError()
    {
        auto d = plug(1, 2, QStringLiteral("D"));
        d->setRefuseOpen(true);
        QVERIFY(!HidLayer::openPath(d->path()));
        QVERIFY(!HidLayer::error(nullptr).isEmpty());
        QVERIFY(!d->isOpen());
        d->setRefuseOpen(false);
        HidHandle *h = HidLayer::openPath(d->path());
        QVERIFY(h);
        HidLayer::close(h);
    }

    void writesAndFeatureReportsAreRecorded()
    {
        auto d = plug(1, 2, QStringLiteral("D"));
        HidHandle *h = HidLayer::openPath(d->path());
        const QByteArray w1 = bytes({0x00, 0x10, 0x20});
        const QByteArray w2 = bytes({0x00, 0x30});
        const QByteArray f = bytes({0x00, 0x60, 0x09, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00});
        auto u = [](const QByteArray &b) {
            return reinterpret_cast<const unsigned char *>(b.constData());
        };
        QCOMPARE(HidLayer::write(h, u(w1), size_t(w1.size())), 3);
        QCOMPARE(HidLayer::write(h, u(w2), size_t(w2.size())), 2);
        QCOMPARE(HidLayer::sendFeatureReport(h, u(f), size_t(f.size())), 10);
        QCOMPARE(HidLayer::write(h, u(w1), 0), -1);
        QCOMPARE(d->writtenReports(), (QList<QByteArray>{w1, w2}));
        QCOMPARE(d->featureReports(), QList<QByteArray>{f});
        HidLayer::close(h);
    }

    void pacedReportsOverflowBoundedRing()
    {
        // Reports that arrive while nobody reads fill the ring; once it is full
        // the newest ones are dropped and counted.
        auto d = plug(1, 2, QStringLiteral("D"));
        d->setInputRingCapacity(4);
        HidHandle *h = HidLayer::openPath(d->path());
        const auto t0 = VirtualHidDevice::Clock::now();
        for (int i = 0; i < 10; ++i)
            d->pushInputReportAt(bytes({1, i}), t0 + std::chrono::milliseconds(i));
        QThread::msleep(50); // every report has arrived by now
        for (int i = 0; i < 4; ++i)
            QCOMPARE(readOne(h, 1000), bytes({1, i}));
        QCOMPARE(readOne(h, 0), QByteArray());
        QCOMPARE(d->droppedInputReports(), qint64(6));
        HidLayer::close(h);
    }

    void pacedReportIsNotReadBeforeItsTime()
    {
        auto d = plug(1, 2, QStringLiteral("D"));
        HidHandle *h = HidLayer::openPath(d->path());
        d->pushInputReportAt(bytes({1, 9}), VirtualHidDevice::Clock::now() + std::chrono::hours(1));
        QCOMPARE(readOne(h, 20), QByteArray());
        QCOMPARE(d->pendingInputReports(), 1);
        HidLayer::close(h);
    }

    void realBackendWithoutCables()
    {
        // No tester cable is attached to this machine: the real backend finds
        // none and a made-up path fails cleanly.
        QVERIFY(HidLayer::enumerate(0x1A86, 0xE429).isEmpty());
        QVERIFY(!HidLayer::openPath(QByteArray("/dev/hidraw-does-not-exist")));
        QVERIFY(!HidLayer::error(nullptr).isEmpty());
        QVERIFY(!HidLayer::openPath(QByteArray()));
        QVERIFY(!HidLayer::openPath(QByteArray("virtual-hid:99999")));
        QVERIFY(!HidLayer::open(0x1A86, 0xE429));
    }

    void nullHandleIsRefused()
    {
        unsigned char buf[8] = {};
        QCOMPARE(HidLayer::readTimeout(nullptr, buf, sizeof buf, 0), -1);
        QCOMPARE(HidLayer::write(nullptr, buf, sizeof buf), -1);
        QCOMPARE(HidLayer::sendFeatureReport(nullptr, buf, sizeof buf), -1);
        QCOMPARE(HidLayer::setNonblocking(nullptr, true), -1);
        HidLayer::close(nullptr);
    }
};

QTEST_GUILESS_MAIN(TstHidLayer)
#include "tst_hidlayer.moc"
