// The reader keeps up with a cable that sends a full report every millisecond.
//
// The cable emulates the kernel's per-handle report ring: a report that
// arrives while the ring is full is dropped. The ring here is larger than the
// kernel's 64 reports so that a reader thread held up by a busy machine for a
// moment does not lose data; a reader that took one report per 10 ms would
// still fall behind by thousands of reports and lose most of them.

#include "hiddevice.h"
#include "virtualhidbus.h"
#include "virtualmetercable.h"

#include <QtTest>

class TstHIDDeviceThroughput : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { VirtualHidBus::instance().detachAll(); }

    void fullReportEveryMillisecondLosesNothing()
    {
        constexpr int Reports = 4000;
        constexpr int PerReport = VirtualMeterCable::MaxSerialBytes;

        auto cable = VirtualMeterCable::plugIn();
        cable->setInputRingCapacity(512);
        cable->setReportInterval(std::chrono::milliseconds(1));

        QByteArray stream;
        stream.reserve(Reports * PerReport);
        for (int i = 0; i < Reports * PerReport; ++i)
            stream.append(char((i * 7 + i / 251) & 0xFF));

        HIDDevice dev;
        QByteArray received;
        int reports = 0;
        connect(&dev, &HIDDevice::readyRead, [&](unsigned char *data, uint length) {
            received.append(reinterpret_cast<const char *>(data), int(length));
            ++reports;
        });
        QVERIFY(dev.open(QString::fromLatin1(cable->path())));
        cable->sendSerial(stream);

        QTRY_VERIFY_WITH_TIMEOUT(cable->pendingInputReports() == 0, 120000);
        QTRY_COMPARE_WITH_TIMEOUT(cable->deliveredInputReports(), qint64(Reports), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), stream.size(), 30000);
        QCOMPARE(cable->droppedInputReports(), qint64(0));
        QCOMPARE(reports, Reports);
        QVERIFY(received == stream);
        dev.close();
    }
};

QTEST_GUILESS_MAIN(TstHIDDeviceThroughput)
#include "tst_hiddevice_throughput.moc"
