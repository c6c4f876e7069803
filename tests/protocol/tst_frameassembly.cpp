#include "framebytes.h"
#include "mydmm.h"
#include "utils.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

// Cutting the byte stream into checked frames and routing them by type.
class TestFrameAssembly : public QObject
{
    Q_OBJECT
private slots:
    void checksum_data();
    void checksum();
    void minimalFrame_data();
    void minimalFrame();
    void splitAtEveryPosition_data();
    void splitAtEveryPosition();
    void byteByByte();
    void framesInOneDeliveryKeepOrder();
    void recovery_data();
    void recovery();
    void falseSpanHidingRealFrame();
    void junkWithoutHeaderIsBounded();
    void storedFrameIsLogged();
    void unknownModeGivesNothing_data();
    void unknownModeGivesNothing();
    void manyFramesInOneDelivery();
};

void TestFrameAssembly::checksum_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("sum");
    QTest::newRow("FF FF") << hex("FF FF") << 2 << 510;
    QTest::newRow("high bytes are unsigned") << hex("80 80 80") << 3 << 384;
    QTest::newRow("count limits the span") << hex("01 02 03") << 2 << 3;
    QTest::newRow("zero count") << hex("01") << 0 << 0;
    QTest::newRow("negative count") << hex("01") << -1 << 0;
}

void TestFrameAssembly::checksum()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    QFETCH(int, sum);
    QCOMPARE(Utils::getCheckSum(bytes.data(), count), sum);
}

void TestFrameAssembly::minimalFrame_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("checksum 0005") << hex("AB CD 00 03 05 00 05") << true;
    QTest::newRow("checksum 0006") << hex("AB CD 00 03 05 00 06") << false;
}

void TestFrameAssembly::minimalFrame()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    MyDMM link;
    QSignalSpy live(&link, &MyDMM::updateLiveData);
    QSignalSpy stored(&link, &MyDMM::updateStoreData);
    feed(link, bytes);
    // Type 5 is not routed anywhere; a failed frame never becomes the frame.
    QCOMPARE(link.frame(), accepted ? bytes : QByteArray());
    QCOMPARE(link.pendingBytes(), 0);
    QCOMPARE(live.count(), 0);
    QCOMPARE(stored.count(), 0);
}

void TestFrameAssembly::splitAtEveryPosition_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("isLive");
    QTest::newRow("live IR") << Frames::liveIR() << true;
    QTest::newRow("stored RES") << Frames::storedRES() << false;
}

void TestFrameAssembly::splitAtEveryPosition()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, isLive);
    for (int cut = 1; cut < frame.size(); ++cut) {
        MyDMM link;
        QSignalSpy spy(&link, isLive ? &MyDMM::updateLiveData : &MyDMM::updateStoreData);
        feed(link, frame.left(cut));
        QVERIFY2(spy.isEmpty(), qPrintable(QString("cut %1").arg(cut)));
        if (!isLive)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Stored Data: "));
        feed(link, frame.mid(cut));
        QVERIFY2(spy.count() == 1, qPrintable(QString("cut %1").arg(cut)));
        QCOMPARE(link.frame(), frame);
        QCOMPARE(link.pendingBytes(), 0);
    }
}

void TestFrameAssembly::byteByByte()
{
    MyDMM link;
    QSignalSpy spy(&link, &MyDMM::updateLiveData);
    const QByteArray stream = Frames::liveIR() + Frames::liveVOLT();
    for (char c : stream)
        feed(link, QByteArray(1, c));
    QCOMPARE(spy.count(), 2);
}

void TestFrameAssembly::framesInOneDeliveryKeepOrder()
{
    MyDMM link;
    QList<QPair<char, int>> seen;
    connect(&link, &MyDMM::updateLiveData, this, [&](QSharedPointer<DMMData> d) {
        seen.append({'L', int(d->mode)});
    });
    connect(&link, &MyDMM::updateStoreData, this, [&](QSharedPointer<DMMData> d) {
        seen.append({'S', int(d->mode)});
    });
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Stored Data: "));
    feed(link, Frames::liveVOLT() + Frames::storedRES() + Frames::liveIR());
    const QList<QPair<char, int>> expected = {{'L', 6}, {'S', 7}, {'L', 0}};
    QCOMPARE(seen, expected);
}

// Each input holds damage in front of the live IR frame; the frame must be
// decoded in the same delivery.
void TestFrameAssembly::recovery_data()
{
    QTest::addColumn<QByteArray>("prefix");
    QTest::newRow("junk") << hex("00 11 AB 22 CD 33");
    QTest::newRow("lone header byte") << hex("AB");
    QTest::newRow("doubled header byte") << hex("AB AB");
    QTest::newRow("checksum off by one") << hex("AB CD 00 03 05 00 06");
    QTest::newRow("length 0") << hex("AB CD 00 00");
    QTest::newRow("length 2") << hex("AB CD 00 02 77");
    QTest::newRow("length FFFF") << hex("AB CD FF FF 01 02");
    QTest::newRow("length 1021, beyond any frame") << hex("AB CD 03 FD");
    QTest::newRow("bad frame, then good one")
        << hex("AB CD 00 0B 02 06 00 E6 01 01 00 00 00 00 F1");
}

void TestFrameAssembly::recovery()
{
    QFETCH(QByteArray, prefix);
    MyDMM link;
    QSignalSpy spy(&link, &MyDMM::updateLiveData);
    feed(link, prefix + Frames::liveIR());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(link.frame(), Frames::liveIR());
    QCOMPARE(spy.at(0).at(0).value<QSharedPointer<DMMData>>()->mode, DMMData::dmIR);
}

// A false header whose length field is plausible holds assembly back until
// its span has arrived; when its checksum fails, the real frames inside the
// span are still found.
void TestFrameAssembly::falseSpanHidingRealFrame()
{
    MyDMM link;
    QSignalSpy spy(&link, &MyDMM::updateLiveData);
    const QByteArray falseHeader = hex("AB CD 00 40");
    feed(link, falseHeader + Frames::liveIR() + Frames::liveVOLT());
    // 4 + 37 + 15 bytes: the false span of 68 bytes is not complete yet.
    QCOMPARE(spy.count(), 0);
    feed(link, QByteArray(20, '\x00'));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).value<QSharedPointer<DMMData>>()->mode, DMMData::dmIR);
    QCOMPARE(spy.at(1).at(0).value<QSharedPointer<DMMData>>()->mode, DMMData::dmVOLT);
}

void TestFrameAssembly::junkWithoutHeaderIsBounded()
{
    MyDMM link;
    QSignalSpy spy(&link, &MyDMM::updateLiveData);
    QByteArray junk(100000, '\x5A');
    feed(link, junk);
    QCOMPARE(link.pendingBytes(), 0);

    // A trailing header byte is kept: it may be the start of a frame.
    junk.append(char(0xAB));
    feed(link, junk);
    QCOMPARE(link.pendingBytes(), 1);
    feed(link, Frames::liveIR().mid(1));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(link.pendingBytes(), 0);
}

void TestFrameAssembly::storedFrameIsLogged()
{
    MyDMM link;
    QSignalSpy spy(&link, &MyDMM::updateStoreData);
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression("^Stored Data: ab cd 00 0b 03 07 .*01 08-{32}$"));
    feed(link, Frames::storedRES());
    QCOMPARE(spy.count(), 1);
}

void TestFrameAssembly::unknownModeGivesNothing_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("live mode 8") << hex("AB CD 00 0B 02 08 00 E6 01 01 00 00 00 00 F2");
    QTest::newRow("live mode 255") << hex("AB CD 00 0B 02 FF 00 E6 01 01 00 00 00 01 E9");
    QTest::newRow("stored mode 8") << hex("AB CD 00 09 03 08 00 64 01 01 00 00 71");
    QTest::newRow("stored mode 255") << hex("AB CD 00 09 03 FF 00 64 01 01 00 01 68");
}

void TestFrameAssembly::unknownModeGivesNothing()
{
    QFETCH(QByteArray, frame);
    MyDMM link;
    QSignalSpy live(&link, &MyDMM::updateLiveData);
    QSignalSpy stored(&link, &MyDMM::updateStoreData);
    if (frame.at(4) == 3)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Stored Data: "));
    feed(link, frame);
    QCOMPARE(link.frame(), frame); // the frame itself was accepted
    QCOMPARE(live.count(), 0);
    QCOMPARE(stored.count(), 0);
}

void TestFrameAssembly::manyFramesInOneDelivery()
{
    MyDMM link;
    QSignalSpy spy(&link, &MyDMM::updateLiveData);
    QByteArray stream;
    for (int i = 0; i < 2000; ++i)
        stream += (i % 2) ? Frames::liveIR() : Frames::liveVOLT();
    stream += Frames::liveIR().left(10);
    feed(link, stream);
    QCOMPARE(spy.count(), 2000);
    QCOMPARE(link.pendingBytes(), 10);
}

QTEST_GUILESS_MAIN(TestFrameAssembly)
#include "tst_frameassembly.moc"
