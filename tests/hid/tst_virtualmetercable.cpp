// The virtual cable packs a serial stream into 64-byte input reports.

#include "hidlayer.h"
#include "virtualhidbus.h"
#include "virtualmetercable.h"

#include <QtTest>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

QByteArray report(const QByteArray &serial)
{
    QByteArray r(64, '\0');
    r[0] = char(serial.size());
    r.replace(1, serial.size(), serial);
    return r;
}

QList<QByteArray> drain(HidHandle *h)
{
    QList<QByteArray> out;
    unsigned char buf[64];
    int n;
    while ((n = HidLayer::readTimeout(h, buf, sizeof buf, 0)) > 0)
        out.append(QByteArray(reinterpret_cast<const char *>(buf), n));
    return out;
}

} // namespace

class TstVirtualMeterCable : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { VirtualHidBus::instance().detachAll(); }

    void identity()
    {
        auto cable = VirtualMeterCable::plugIn(QStringLiteral("0001"));
        const QList<HidDeviceRecord> list = HidLayer::enumerate(0x1A86, 0xE429);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.at(0).path, cable->path());
        QCOMPARE(list.at(0).serialNumber, QStringLiteral("0001"));
        QVERIFY(!list.at(0).product.isEmpty());
    }

    void packsStreamIntoReports_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("chunking");
        QTest::addColumn<QList<int>>("cuts");
        QTest::addColumn<QList<QByteArray>>("reports");

        // A live frame head followed by its payload start.
        const QByteArray frame = bytes({0xAB, 0xCD, 0x00, 0x05, 0x02, 0x00, 0x11});
        QTest::newRow("one report")
            << frame << 63 << QList<int>{} << QList<QByteArray>{report(frame)};
        QTest::newRow("chunks of 3")
            << frame << 3 << QList<int>{}
            << QList<QByteArray>{report(bytes({0xAB, 0xCD, 0x00})),
                                 report(bytes({0x05, 0x02, 0x00})), report(bytes({0x11}))};
        QTest::newRow("cut inside header")
            << frame << 63 << QList<int>{1, 4}
            << QList<QByteArray>{report(bytes({0xAB})), report(bytes({0xCD, 0x00, 0x05})),
                                 report(bytes({0x02, 0x00, 0x11}))};
        QTest::newRow("bad cuts ignored")
            << frame << 63 << QList<int>{0, 5, 3, 99}
            << QList<QByteArray>{report(frame.left(5)), report(frame.mid(5))};

        QByteArray long100;
        for (int i = 0; i < 100; ++i)
            long100.append(char(i));
        QTest::newRow("100 bytes")
            << long100 << 63 << QList<int>{}
            << QList<QByteArray>{report(long100.left(63)), report(long100.mid(63))};
        QTest::newRow("empty") << QByteArray() << 63 << QList<int>{} << QList<QByteArray>{};
    }

    void packsStreamIntoReports()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, chunking);
        QFETCH(QList<int>, cuts);
        QFETCH(QList<QByteArray>, reports);

        auto cable = VirtualMeterCable::plugIn();
        cable->setChunking(chunking);
        HidHandle *h = HidLayer::openPath(cable->path());
        QVERIFY(h);
        if (cuts.isEmpty())
            cable->sendSerial(stream);
        else
            cable->sendSerialSplit(stream, cuts);
        QCOMPARE(drain(h), reports);
        QCOMPARE(cable->serialBytesSent(), qint64(stream.size()));
        HidLayer::close(h);
    }

    void emptyAndRawReports()
    {
        auto cable = VirtualMeterCable::plugIn();
        HidHandle *h = HidLayer::openPath(cable->path());
        cable->sendEmptyReport();
        cable->sendRawReport(200, bytes({1, 2, 3}));
        cable->sendRawBytes(bytes({5, 9}));
        QByteArray raw(64, '\0');
        raw[0] = char(200);
        raw[1] = 1;
        raw[2] = 2;
        raw[3] = 3;
        QCOMPARE(drain(h), (QList<QByteArray>{report(QByteArray()), raw, bytes({5, 9})}));
        HidLayer::close(h);
    }

    void intervalPacesReports()
    {
        // With a report interval, the second report is not readable right after the first.
        auto cable = VirtualMeterCable::plugIn();
        cable->setReportInterval(std::chrono::seconds(30));
        HidHandle *h = HidLayer::openPath(cable->path());
        cable->sendSerial(bytes({1}));
        cable->sendSerial(bytes({2}));
        unsigned char buf[64];
        QCOMPARE(HidLayer::readTimeout(h, buf, sizeof buf, 1000), 64);
        QCOMPARE(int(buf[1]), 1);
        QCOMPARE(HidLayer::readTimeout(h, buf, sizeof buf, 20), 0);
        QCOMPARE(cable->pendingInputReports(), 1);
        HidLayer::close(h);
    }
};

QTEST_GUILESS_MAIN(TstVirtualMeterCable)
#include "tst_virtualmetercable.moc"
