#include "commandctrl.h"
#include "hiddevice.h"
#include "mydmm.h"
#include "virtualmetercable.h"
#include "virtualtester.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// The link over the real transport and a virtual cable with a virtual tester.
class TestMeterLink : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openAndCloseSignalTwice();
    void openFailsOnUnknownPath();
    void scenarioArrivesWhole();
    void storedDump();
    void lostCableEndsTheLink();
    void issuedCommandIsCompleted();

private:
    std::shared_ptr<VirtualMeterCable> m_cable;
};

void TestMeterLink::init()
{
    m_cable = VirtualMeterCable::plugIn();
    QVERIFY(!m_cable->path().isEmpty());
}

void TestMeterLink::cleanup()
{
    if (m_cable)
        m_cable->unplug();
    m_cable.reset();
}

void TestMeterLink::openAndCloseSignalTwice()
{
    MyDMM link;
    QSignalSpy opened(&link, &MyDMM::opened);
    QSignalSpy closed(&link, &MyDMM::closed);
    QVERIFY(link.open(QString::fromLatin1(m_cable->path())));
    QVERIFY(link.actived());
    // Once relayed from the transport, once from the link itself.
    QCOMPARE(opened.count(), 2);
    QVERIFY(link.currentCommand().isNull());

    QVERIFY(!link.open(QString::fromLatin1(m_cable->path())));
    QCOMPARE(opened.count(), 2);

    link.close();
    QVERIFY(!link.actived());
    QCOMPARE(closed.count(), 2);
    link.close(); // not active: nothing happens
    QCOMPARE(closed.count(), 2);

    // The same cable opens again after a close.
    QVERIFY(link.open(QString::fromLatin1(m_cable->path())));
    link.close();
}

void TestMeterLink::openFailsOnUnknownPath()
{
    MyDMM link;
    QSignalSpy opened(&link, &MyDMM::opened);
    QVERIFY(!link.open(QStringLiteral("virtual-hid:999999")));
    QVERIFY(!link.actived());
    QCOMPARE(opened.count(), 0);
}

void TestMeterLink::scenarioArrivesWhole()
{
    MyDMM link;
    QList<QSharedPointer<DMMData>> records;
    connect(&link, &MyDMM::updateLiveData, this,
            [&](QSharedPointer<DMMData> d) { records.append(d); });
    QVERIFY(link.open(QString::fromLatin1(m_cable->path())));
    m_cable->setChunking(7); // frames straddle reports

    VirtualTester tester(m_cable);
    const int n = VirtualTester::scenarioLength();
    for (int i = 0; i < n; ++i)
        tester.step();
    QTRY_COMPARE_WITH_TIMEOUT(records.size(), n, 20000);
    link.close();

    QSet<int> modes;
    bool sawOverRange = false;
    bool sawLo = false;
    bool sawOl = false;
    quint16 lastTestTime = 0;
    for (int i = 0; i < n; ++i) {
        const auto &rec = records.at(i);
        QCOMPARE(int(rec->mode), int(VirtualTester::liveFields(i).mode));
        modes.insert(rec->mode);
        switch (rec->mode) {
        case DMMData::dmIR: {
            auto ir = rec.staticCast<DMMDataIR>();
            if (i < 24) { // the running test: testing, its time counting up
                QVERIFY(ir->testing);
                QVERIFY(i == 0 || ir->testTime > lastTestTime);
                lastTestTime = ir->testTime;
            }
            sawOverRange |= ir->overRange;
            break;
        }
        case DMMData::dmCAP:
            sawLo |= rec.staticCast<DMMDataCAP>()->cap.text == QLatin1String("LO");
            break;
        case DMMData::dmVOLT:
            sawOl |= rec.staticCast<DMMDataVOLT>()->volt.text == QLatin1String("OL");
            break;
        default:
            break;
        }
    }
    QCOMPARE(modes.size(), 8);
    QVERIFY(sawOverRange);
    QVERIFY(sawLo);
    QVERIFY(sawOl);
}

void TestMeterLink::storedDump()
{
    MyDMM link;
    QSignalSpy stored(&link, &MyDMM::updateStoreData);
    QSignalSpy live(&link, &MyDMM::updateLiveData);
    QVERIFY(link.open(QString::fromLatin1(m_cable->path())));
    const int n = VirtualTester::storedFields().size();
    for (int i = 0; i < n; ++i)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Stored Data: "));
    VirtualTester tester(m_cable);
    tester.sendStoredDump();
    QTRY_COMPARE_WITH_TIMEOUT(stored.count(), n, 20000);
    link.close();
    QCOMPARE(live.count(), 0);
    for (int i = 0; i < n; ++i) {
        const auto rec = stored.at(i).at(0).value<QSharedPointer<DMMData>>();
        QCOMPARE(int(rec->mode), int(VirtualTester::storedFields().at(i).mode));
    }
}

void TestMeterLink::lostCableEndsTheLink()
{
    MyDMM link;
    QSignalSpy timeout(&link, &MyDMM::communicationTimeout);
    QSignalSpy closed(&link, &MyDMM::closed);
    QVERIFY(link.open(QString::fromLatin1(m_cable->path())));
    QTest::ignoreMessage(QtDebugMsg, "communicationTimeout");
    m_cable->unplug();
    QVERIFY(timeout.wait(20000));
    QVERIFY(!link.actived());
    QVERIFY(closed.count() >= 1);
}

// The link sends nothing to the tester, so a command issued by its
// controller is completed at once, whether or not it asks for an answer; it
// must not end the link with a communication timeout.
void TestMeterLink::issuedCommandIsCompleted()
{
    MyDMM link;
    QSignalSpy timeout(&link, &MyDMM::communicationTimeout);
    QVERIFY(link.open(QString::fromLatin1(m_cable->path())));
    link.controller()->setRetryNum(1);
    auto quiet = QSharedPointer<Command>::create(QByteArray("\x00\x01", 2), false, 100, QVariant());
    auto asking = QSharedPointer<Command>::create(QByteArray("\x00\x02", 2), true, 100, QVariant());
    link.controller()->add(quiet, Pump::Once);
    link.controller()->add(asking, Pump::Once);
    QTRY_COMPARE_WITH_TIMEOUT(link.currentCommand(), asking, 20000);
    QVERIFY(!timeout.wait(1500));
    QVERIFY(link.actived());
    link.close();
}

QTEST_GUILESS_MAIN(TestMeterLink)
#include "tst_meterlink.moc"
