#include "framebytes.h"
#include "meterframeencoder.h"
#include "mydmm.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

const QString MOhm = QStringLiteral("M\u03A9");
const QString GOhm = QStringLiteral("G\u03A9");
const QString TOhm = QStringLiteral("T\u03A9");
const QString Ohm = QStringLiteral("\u03A9");
const QString MicroF = QStringLiteral("\u03BCF");

// Decodes one checked frame and returns the record it produced, or null.
QSharedPointer<DMMData> decode(const QByteArray &frame, bool stored)
{
    MyDMM link;
    QSignalSpy live(&link, &MyDMM::updateLiveData);
    QSignalSpy store(&link, &MyDMM::updateStoreData);
    if (stored)
        link.decodeStoreData(frame);
    else
        link.decodeLiveData(frame);
    QSignalSpy &mine = stored ? store : live;
    QSignalSpy &other = stored ? live : store;
    if (other.count() != 0 || mine.count() > 1)
        return {};
    if (mine.isEmpty())
        return {};
    auto rec = mine.at(0).at(0).value<QSharedPointer<DMMData>>();
    if (rec && !rec->dateTime.isValid())
        return {};
    return rec;
}

template <typename T> QSharedPointer<T> decodeAs(const QByteArray &frame, bool stored)
{
    auto rec = decode(frame, stored);
    return rec ? rec.staticCast<T>() : QSharedPointer<T>();
}

#define CHECK_BOX(box, expText, expValue, expUnit)                                                 \
    do {                                                                                           \
        QCOMPARE((box).text, QString(expText));                                                    \
        QCOMPARE((box).value, expValue);                                                           \
        QCOMPARE((box).unit, QString(expUnit));                                                    \
    } while (0)

} // namespace

// Live and stored payload layouts of every mode, from literal frames.
class TestFrameDecoding : public QObject
{
    Q_OBJECT
private slots:
    void liveIR();
    void liveTime();
    void livePIandDAR();
    void liveCOMP();
    void liveCAP();
    void liveVOLT_data();
    void liveVOLT();
    void liveRES_data();
    void liveRES();
    void storedIR();
    void storedTime();
    void storedPIandDAR();
    void storedCOMP();
    void storedCAPdiffersFromLive();
    void storedVOLT();
    void storedRES();
    void readingText_data();
    void readingText();
    void nonFiniteReading_data();
    void nonFiniteReading();
    void shortFrameIsDropped_data();
    void shortFrameIsDropped();
    void encoderMatchesLiteralFrames();
    void encoderRoundTrip_data();
    void encoderRoundTrip();
};

void TestFrameDecoding::liveIR()
{
    auto d = decodeAs<DMMDataIR>(Frames::liveIR(), false);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmIR);
    CHECK_BOX(d->current, "1.50", 1.5, "uA");
    QCOMPARE(d->vset.value, 500);
    QCOMPARE(d->vset.text, QStringLiteral("500"));
    QCOMPARE(d->vset.unit, QStringLiteral("V"));
    QCOMPARE(d->vout.value, -100);
    QCOMPARE(d->vout.toString(), QStringLiteral("-100 V"));
    CHECK_BOX(d->res, "123", 123.0, GOhm);
    QCOMPARE(d->auxWord, -2);
    QVERIFY(d->testing);    // byte 5: any non-zero value
    QVERIFY(!d->overRange); // byte 2: only 1 counts
    CHECK_BOX(d->dar, "1.25", 1.25, "");
    CHECK_BOX(d->pi, "2.50", 2.5, "");
    QVERIFY(d->indicator1);
    QVERIFY(!d->indicator2);
    QCOMPARE(TimeBox::convertString(d->testTime), QStringLiteral("10:05"));
}

void TestFrameDecoding::liveTime()
{
    auto d = decodeAs<DMMDataTime>(
        hex("AB CD 00 1A 02 01 3F 00 00 00 00 03 E8 03 E6 00 00 00 00 03 01 05 00 07 00 01 0A "
            "00 02 31"),
        false);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmTime);
    CHECK_BOX(d->current, "0.50", 0.5, "nA");
    QCOMPARE(d->vset.value, 1000);
    QCOMPARE(d->vout.value, 998);
    CHECK_BOX(d->res, "  0", 0.0, ""); // unit code 3 has no unit
    QCOMPARE(d->elapsedTime, quint16(0x0105));
    QCOMPARE(d->auxWord, 7);
    QVERIFY(!d->testing);
    QVERIFY(d->overRange);
    QCOMPARE(TimeBox::convertString(d->setTime), QStringLiteral("10:00"));
}

void TestFrameDecoding::livePIandDAR()
{
    auto pi = decodeAs<DMMDataPI>(
        hex("AB CD 00 26 02 02 41 45 70 A4 00 09 C4 09 BA 42 AB 00 00 00 41 1F FB E7 01 40 20 "
            "00 00 0A 00 80 00 01 00 01 00 0A 00 01 07 55"),
        false);
    QVERIFY(pi);
    QCOMPARE(pi->mode, DMMData::dmPI);
    CHECK_BOX(pi->current, "12.3", 12.3, "nA");
    QCOMPARE(pi->vset.value, 2500);
    QCOMPARE(pi->vout.value, 2490);
    CHECK_BOX(pi->res, "85.5", 85.5, MOhm);
    CHECK_BOX(pi->res2, "9.99", 9.99, GOhm);
    CHECK_BOX(pi->piRatio, "2.50", 2.5, "");
    QCOMPARE(pi->elapsedTime, quint16(0x0A00));
    QCOMPARE(pi->auxWord, -32768);
    QVERIFY(pi->testing);
    QVERIFY(!pi->overRange);
    QCOMPARE(pi->setTime, quint16(0x0100));
    QCOMPARE(pi->setTime2, quint16(0x0A00));
    QVERIFY(pi->res2OverRange);

    auto dar = decodeAs<DMMDataDAR>(
        hex("AB CD 00 26 02 03 41 45 70 A4 00 09 C4 09 BA 42 AB 00 00 00 41 1F FB E7 01 3F A0 "
            "00 00 01 00 00 00 00 01 00 30 01 00 00 07 71"),
        false);
    QVERIFY(dar);
    QCOMPARE(dar->mode, DMMData::dmDAR);
    CHECK_BOX(dar->darRatio, "1.25", 1.25, "");
    CHECK_BOX(dar->res2, "9.99", 9.99, GOhm);
    QCOMPARE(dar->elapsedTime, quint16(0x0100));
    QVERIFY(!dar->testing);
    QVERIFY(dar->overRange);
    QCOMPARE(TimeBox::convertString(dar->setTime), QStringLiteral("00:48"));
    QCOMPARE(dar->setTime2, quint16(0x0100));
    QVERIFY(!dar->res2OverRange);
}

void TestFrameDecoding::liveCOMP()
{
    auto d = decodeAs<DMMDataCOMP>(hex("AB CD 00 1C 02 04 40 98 00 00 02 00 FA 00 FB 00 00 03 E8 "
                                       "01 44 7A 20 00 02 02 00 01 01 01 04 A6"),
                                   false);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmCOMP);
    CHECK_BOX(d->current, "4.75", 4.75, "mA");
    QCOMPARE(d->vset.value, 250);
    QCOMPARE(d->vout.value, 251);
    QCOMPARE(d->compLimit.value, 1000);
    QCOMPARE(d->compLimit.toString(), QString("1000 " + GOhm));
    CHECK_BOX(d->res, "1000", 1000.0, TOhm); // 1000.5 cut to whole units
    QCOMPARE(d->compResult, DMMDataCOMP::CompPass);
    QCOMPARE(d->auxWord, 1);
    QVERIFY(d->testing);
    QVERIFY(d->overRange);
}

void TestFrameDecoding::liveCAP()
{
    auto d =
        decodeAs<DMMDataCAP>(hex("AB CD 00 0E 02 05 3D 40 83 12 01 F4 00 00 00 01 02 0F"), false);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmCAP);
    // Code 1: below range; the text becomes LO, the value keeps the number.
    CHECK_BOX(d->cap, "LO", 0.04, MicroF);
    QVERIFY(d->underRange);
    QVERIFY(!d->overRange);
    QCOMPARE(d->vset.value, 500);
    QVERIFY(!d->testing);
}

void TestFrameDecoding::liveVOLT_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("coupling");
    QTest::addColumn<int>("negative");
    QTest::addColumn<bool>("low");
    QTest::addColumn<bool>("overload");
    QTest::newRow("DC negative") << hex("AB CD 00 0B 02 06 00 E6 01 01 00 00 00 00 F0") << -230.0
                                 << "-230"
                                 << "DC" << 1 << false << false;
    QTest::newRow("AC ignores polarity")
        << hex("AB CD 00 0B 02 06 00 E6 00 01 00 00 00 00 EF") << 230.0 << "230"
        << "AC" << 1 << false << false;
    QTest::newRow("DC positive") << hex("AB CD 00 0B 02 06 01 F4 05 00 00 00 00 01 02") << 500.0
                                 << "500"
                                 << "DC" << 0 << false << false;
    QTest::newRow("negative zero")
        << hex("AB CD 00 0B 02 06 00 00 01 01 00 00 00 00 0A") << -0.0 << "-0"
        << "DC" << 1 << false << false;
    QTest::newRow("LO replaces the sign")
        << hex("AB CD 00 0B 02 06 00 E6 01 01 00 00 01 00 F1") << -230.0 << "LO"
        << "DC" << 1 << true << false;
    QTest::newRow("OL") << hex("AB CD 00 0B 02 06 03 E8 01 00 00 00 02 00 F6") << 1000.0 << "OL"
                        << "DC" << 0 << false << true;
    // A raw negative value with the polarity flag: the text follows the
    // negated value instead of growing a second minus sign.
    QTest::newRow("raw negative, flagged")
        << hex("AB CD 00 0B 02 06 FF 9C 01 01 00 00 00 01 A5") << 100.0 << "100"
        << "DC" << 1 << false << false;
}

void TestFrameDecoding::liveVOLT()
{
    QFETCH(QByteArray, frame);
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(QString, coupling);
    QFETCH(int, negative);
    QFETCH(bool, low);
    QFETCH(bool, overload);
    auto d = decodeAs<DMMDataVOLT>(frame, false);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmVOLT);
    QCOMPARE(d->volt.value, value);
    QCOMPARE(std::signbit(d->volt.value), std::signbit(value));
    QCOMPARE(d->volt.text, text);
    QCOMPARE(d->volt.unit, QStringLiteral("V"));
    QCOMPARE(d->coupling, coupling);
    QCOMPARE(int(d->negative), negative);
    QCOMPARE(d->low, low);
    QCOMPARE(d->overload, overload);
    QVERIFY(d->testing); // no testing byte: a live voltage is always testing
}

void TestFrameDecoding::liveRES_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("overRange");
    QTest::addColumn<bool>("testing");
    QTest::newRow("number, testing byte 5")
        << hex("AB CD 00 0E 02 07 40 53 33 33 00 05 00 00 00 02 01 09") << "3.29" << false << false;
    QTest::newRow("code 2 OL, testing 1")
        << hex("AB CD 00 0E 02 07 40 53 33 33 01 01 02 00 00 02 01 08") << "OL" << true << true;
    QTest::newRow("code 3 LO") << hex("AB CD 00 0E 02 07 40 53 33 33 00 01 03 00 00 02 01 08")
                               << "LO" << false << true;
    QTest::newRow("code 1 dashes")
        << hex("AB CD 00 0E 02 07 40 53 33 33 00 01 01 00 00 02 01 06") << "----" << false << true;
    QTest::newRow("code 4 keeps number")
        << hex("AB CD 00 0E 02 07 40 53 33 33 02 00 04 00 00 02 01 0A") << "3.29" << false << false;
}

void TestFrameDecoding::liveRES()
{
    QFETCH(QByteArray, frame);
    QFETCH(QString, text);
    QFETCH(bool, overRange);
    QFETCH(bool, testing);
    auto d = decodeAs<DMMDataRES>(frame, false);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmRES);
    CHECK_BOX(d->res, text, 3.29, Ohm);
    QCOMPARE(d->overRange, overRange);
    QCOMPARE(d->testing, testing);
    QCOMPARE(d->auxWord, 2);
}

void TestFrameDecoding::storedIR()
{
    auto d = decodeAs<DMMDataIR>(hex("AB CD 00 1E 03 00 3F C0 00 00 01 01 F4 01 F4 42 F6 E9 79 01 "
                                     "01 3F A0 00 00 40 20 00 00 02 00 3C 07 06"),
                                 true);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmIR);
    CHECK_BOX(d->current, "1.50", 1.5, "uA");
    QCOMPARE(d->vset.value, 500);
    QCOMPARE(d->vout.value, 500);
    CHECK_BOX(d->res, "123", 123.0, GOhm);
    QVERIFY(d->overRange);
    CHECK_BOX(d->dar, "1.25", 1.25, "");
    CHECK_BOX(d->pi, "2.50", 2.5, "");
    QVERIFY(!d->indicator1);
    QVERIFY(d->indicator2);
    QCOMPARE(TimeBox::convertString(d->testTime), QStringLiteral("00:60"));
    QVERIFY(!d->testing);
    QCOMPARE(d->auxWord, 0);
}

void TestFrameDecoding::storedTime()
{
    auto d = decodeAs<DMMDataTime>(hex("AB CD 00 15 03 01 3F 00 00 00 00 03 E8 03 E6 00 00 00 00 "
                                       "00 01 05 01 02 1E"),
                                   true);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmTime);
    CHECK_BOX(d->res, "  0", 0.0, MOhm);
    QCOMPARE(d->elapsedTime, quint16(0x0105));
    QVERIFY(d->overRange);
    QCOMPARE(d->setTime, quint16(0));
}

void TestFrameDecoding::storedPIandDAR()
{
    // Byte 30 holds FF and is not read.
    auto pi = decodeAs<DMMDataPI>(hex("AB CD 00 20 03 02 41 45 70 A4 00 09 C4 09 BA 01 42 AB 00 "
                                      "00 00 41 1F FB E7 01 40 20 00 00 FF 0A 00 01 07 CA"),
                                  true);
    QVERIFY(pi);
    QCOMPARE(pi->mode, DMMData::dmPI);
    CHECK_BOX(pi->current, "12.3", 12.3, "nA");
    QVERIFY(pi->overRange);
    CHECK_BOX(pi->res, "85.5", 85.5, MOhm);
    CHECK_BOX(pi->res2, "9.99", 9.99, GOhm);
    CHECK_BOX(pi->piRatio, "2.50", 2.5, "");
    QCOMPARE(pi->elapsedTime, quint16(0x0A00));
    QVERIFY(pi->res2OverRange);
    QCOMPARE(pi->setTime, quint16(0));
    QCOMPARE(pi->setTime2, quint16(0));
    QVERIFY(!pi->testing);

    auto dar = decodeAs<DMMDataDAR>(hex("AB CD 00 20 03 03 41 45 70 A4 00 09 C4 09 BA 00 42 AB 00 "
                                        "00 00 41 1F FB E7 01 3F A0 00 00 00 01 00 00 07 40"),
                                    true);
    QVERIFY(dar);
    QCOMPARE(dar->mode, DMMData::dmDAR);
    CHECK_BOX(dar->darRatio, "1.25", 1.25, "");
    QVERIFY(!dar->overRange);
    QCOMPARE(dar->elapsedTime, quint16(0x0100));
    QVERIFY(!dar->res2OverRange);
}

void TestFrameDecoding::storedCOMP()
{
    auto d = decodeAs<DMMDataCOMP>(hex("AB CD 00 19 03 04 40 98 00 00 02 00 FA 00 FB 00 00 03 E8 "
                                       "01 44 7A 20 00 02 07 01 04 AA"),
                                   true);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmCOMP);
    QCOMPARE(d->compLimit.value, 1000);
    QCOMPARE(d->compLimit.unit, GOhm);
    CHECK_BOX(d->res, "1000", 1000.0, TOhm);
    QCOMPARE(int(d->compResult), 7); // a fail
    QVERIFY(d->overRange);
    QVERIFY(!d->testing);
}

void TestFrameDecoding::storedCAPdiffersFromLive()
{
    const QByteArray frame = hex("AB CD 00 0D 03 05 01 F4 00 00 3D 40 83 12 02 02 11");
    auto d = decodeAs<DMMDataCAP>(frame, true);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmCAP);
    QCOMPARE(d->vset.value, 500);
    CHECK_BOX(d->cap, "0.04", 0.04, MicroF); // code 2 keeps the number
    QVERIFY(d->overRange);
    QVERIFY(!d->underRange);

    // The same bytes read by the live layout give other fields.
    auto asLive = decodeAs<DMMDataCAP>(frame, false);
    QVERIFY(asLive);
    QCOMPARE(asLive->vset.value, 0x3D40);
    QVERIFY(asLive->cap.value != d->cap.value);
}

void TestFrameDecoding::storedVOLT()
{
    auto d = decodeAs<DMMDataVOLT>(hex("AB CD 00 09 03 06 00 64 01 01 00 00 6F"), true);
    QVERIFY(d);
    QCOMPARE(d->volt.value, -100.0);
    QCOMPARE(d->volt.text, QStringLiteral("-100"));
    QCOMPARE(d->coupling, QStringLiteral("DC"));
    QVERIFY(!d->testing); // stored voltages are not marked as testing

    auto ol = decodeAs<DMMDataVOLT>(hex("AB CD 00 09 03 06 00 64 00 00 02 00 6F"), true);
    QVERIFY(ol);
    QCOMPARE(ol->volt.text, QStringLiteral("OL"));
    QVERIFY(ol->overload);
    QCOMPARE(ol->coupling, QStringLiteral("AC"));
}

void TestFrameDecoding::storedRES()
{
    auto d = decodeAs<DMMDataRES>(Frames::storedRES(), true);
    QVERIFY(d);
    QCOMPARE(d->mode, DMMData::dmRES);
    CHECK_BOX(d->res, "LO", 3.29, Ohm);
    QVERIFY(d->overRange);
    QVERIFY(d->testing);
}

// The formatting rule through a real frame: a live RES frame carries one
// plain float reading.
void TestFrameDecoding::readingText_data()
{
    QTest::addColumn<QByteArray>("floatBytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("0") << hex("00 00 00 00") << "  0" << 0.0;
    QTest::newRow("9.999") << hex("41 1F FB E7") << "9.99" << 9.99;
    QTest::newRow("10") << hex("41 20 00 00") << "10.0" << 10.0;
    QTest::newRow("99.99") << hex("42 C7 FA E1") << "99.9" << 99.9;
    QTest::newRow("100") << hex("42 C8 00 00") << "100" << 100.0;
    QTest::newRow("1234.5") << hex("44 9A 50 00") << "1234" << 1234.0;
    QTest::newRow("-250") << hex("C3 7A 00 00") << "-250.00" << -250.0;
    QTest::newRow("-1.239") << hex("BF 9E 97 8D") << "-1.23" << -1.23;
    QTest::newRow("-1.5") << hex("BF C0 00 00") << "-1.50" << -1.5;
    QTest::newRow("0.29f") << hex("3E 94 7A E1") << "0.28" << 0.28;
    QTest::newRow("0.5") << hex("3F 00 00 00") << "0.50" << 0.5;
    QTest::newRow("5.678") << hex("40 B5 B2 2D") << "5.67" << 5.67;
    // Beyond the 32-bit range the cut keeps the magnitude.
    QTest::newRow("3e9") << hex("4F 32 D0 5E") << "3000000000" << 3.0e9;
}

void TestFrameDecoding::readingText()
{
    QFETCH(QByteArray, floatBytes);
    QFETCH(QString, text);
    QFETCH(double, value);
    const QByteArray payload = hex("07") + floatBytes + hex("00 00 00 00 00 00");
    auto d = decodeAs<DMMDataRES>(MeterFrameEncoder::frame(2, payload), false);
    QVERIFY(d);
    QCOMPARE(d->res.text, text);
    QCOMPARE(d->res.value, value);
    QCOMPARE(d->res.toString(), text + " " + Ohm);
}

void TestFrameDecoding::nonFiniteReading_data()
{
    QTest::addColumn<QByteArray>("floatBytes");
    QTest::newRow("NaN") << hex("7F C0 00 00");
    QTest::newRow("+inf") << hex("7F 80 00 00");
    QTest::newRow("-inf") << hex("FF 80 00 00");
}

// A non-finite reading stays non-finite through the cut (rather than turning
// into a large negative number), and the views then show a dash.
void TestFrameDecoding::nonFiniteReading()
{
    QFETCH(QByteArray, floatBytes);
    const QByteArray payload = hex("07") + floatBytes + hex("00 00 00 00 00 00");
    auto d = decodeAs<DMMDataRES>(MeterFrameEncoder::frame(2, payload), false);
    QVERIFY(d);
    QVERIFY(!std::isfinite(d->res.value));
    QCOMPARE(d->res.toString(), QString("- " + Ohm));
    QCOMPARE(d->res.value, 0.0);
}

void TestFrameDecoding::shortFrameIsDropped_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("stored");
    for (int mode = 0; mode < 8; ++mode) {
        QTest::addRow("live mode %d", mode) << mode << false;
        QTest::addRow("stored mode %d", mode) << mode << true;
    }
}

void TestFrameDecoding::shortFrameIsDropped()
{
    QFETCH(int, mode);
    QFETCH(bool, stored);
    MeterFrameEncoder::Fields f;
    f.mode = quint8(mode);
    const QByteArray payload =
        stored ? MeterFrameEncoder::storedPayload(f) : MeterFrameEncoder::livePayload(f);
    const quint8 type = stored ? MeterFrameEncoder::Stored : MeterFrameEncoder::Live;

    QVERIFY(decode(MeterFrameEncoder::frame(type, payload), stored));

    // Without its checksum the full frame still holds the layout...
    QByteArray full = MeterFrameEncoder::frame(type, payload);
    full.chop(2);
    QVERIFY(decode(full, stored));
    // ...one byte less does not, and is dropped rather than read beyond its end.
    full.chop(1);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("too short"));
    QVERIFY(!decode(full, stored));
    // A frame cut right after its mode byte, or before it.
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("too short"));
    QVERIFY(!decode(full.left(6), stored));
    QVERIFY(!decode(full.left(5), stored));
}

void TestFrameDecoding::encoderMatchesLiteralFrames()
{
    MeterFrameEncoder::Fields ir;
    ir.mode = MeterFrameEncoder::IR;
    ir.current = 1.5f;
    ir.currentUnit = 1;
    ir.vset = 500;
    ir.vout = -100;
    ir.res = 123.456f;
    ir.resUnit = 1;
    ir.auxWord = -2;
    ir.testing = 5;
    ir.overRange = 2;
    ir.dar = 1.25f;
    ir.pi = 2.5f;
    ir.indicator = 1;
    ir.testTime = MeterFrameEncoder::packTime(10, 5);
    QCOMPARE(MeterFrameEncoder::liveFrame(ir), Frames::liveIR());

    MeterFrameEncoder::Fields volt;
    volt.mode = MeterFrameEncoder::VOLT;
    volt.volt = 230;
    volt.coupling = 1;
    volt.negative = 1;
    QCOMPARE(MeterFrameEncoder::liveFrame(volt), Frames::liveVOLT());

    MeterFrameEncoder::Fields res;
    res.mode = MeterFrameEncoder::RES;
    res.res = 3.3f;
    res.overRange = 1;
    res.testing = 1;
    res.resCode = 3;
    QCOMPARE(MeterFrameEncoder::storedFrame(res), Frames::storedRES());

    QCOMPARE(MeterFrameEncoder::frame(5, QByteArray()), hex("AB CD 00 03 05 00 05"));
}

void TestFrameDecoding::encoderRoundTrip_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("stored");
    for (int mode = 0; mode < 8; ++mode) {
        QTest::addRow("live mode %d", mode) << mode << false;
        QTest::addRow("stored mode %d", mode) << mode << true;
    }
}

// Distinct values in every field, so a field read from the wrong offset or
// a swapped pair shows up.
void TestFrameDecoding::encoderRoundTrip()
{
    QFETCH(int, mode);
    QFETCH(bool, stored);
    MeterFrameEncoder::Fields f;
    f.mode = quint8(mode);
    f.current = 2.5f;
    f.currentUnit = 2;
    f.vset = 1000;
    f.vout = 997;
    f.res = 45.5f;
    f.resUnit = 1;
    f.overRange = 1;
    f.dar = 1.25f;
    f.pi = 3.5f;
    f.indicator = 2;
    f.testTime = 0x0102;
    f.elapsedTime = 0x0304;
    f.setTime = 0x0506;
    f.setTime2 = 0x0708;
    f.res2 = 250.0f;
    f.res2Unit = 2;
    f.res2OverRange = 1;
    f.ratio = 4.5f;
    f.compLimit = 123456;
    f.compLimitUnit = 0;
    f.compResult = 2;
    f.cap = 1.5f;
    f.capCode = 2;
    f.volt = 380;
    f.coupling = 0;
    f.negative = 1;
    f.voltCode = 0;
    f.resCode = 0;
    f.auxWord = -1234;
    f.testing = 1;

    const QByteArray frame =
        stored ? MeterFrameEncoder::storedFrame(f) : MeterFrameEncoder::liveFrame(f);
    auto rec = decode(frame, stored);
    QVERIFY(rec);
    QCOMPARE(int(rec->mode), mode);
    QCOMPARE(rec->auxWord, stored ? 0 : -1234);

    auto checkIrCommon = [&](DMMDataIR &d, bool withCommonRes) {
        CHECK_BOX(d.current, "2.50", 2.5, "mA");
        QCOMPARE(d.vset.value, 1000);
        QCOMPARE(d.vout.value, 997);
        if (withCommonRes)
            CHECK_BOX(d.res, "45.5", 45.5, GOhm);
        QVERIFY(d.overRange);
    };
    switch (mode) {
    case DMMData::dmIR: {
        auto d = rec.staticCast<DMMDataIR>();
        checkIrCommon(*d, true);
        CHECK_BOX(d->dar, "1.25", 1.25, "");
        CHECK_BOX(d->pi, "3.50", 3.5, "");
        QVERIFY(d->indicator2);
        QCOMPARE(d->testTime, f.testTime);
        QCOMPARE(d->testing, !stored);
        break;
    }
    case DMMData::dmTime: {
        auto d = rec.staticCast<DMMDataTime>();
        checkIrCommon(*d, true);
        QCOMPARE(d->elapsedTime, f.elapsedTime);
        QCOMPARE(d->setTime, stored ? quint16(0) : f.setTime);
        QCOMPARE(d->testing, !stored);
        break;
    }
    case DMMData::dmPI:
    case DMMData::dmDAR: {
        auto d = rec.staticCast<DMMDataPIDAR>();
        checkIrCommon(*d, true);
        CHECK_BOX(d->res2, "250", 250.0, TOhm);
        QVERIFY(d->res2OverRange);
        QCOMPARE(d->elapsedTime, f.elapsedTime);
        QCOMPARE(d->setTime, stored ? quint16(0) : f.setTime);
        QCOMPARE(d->setTime2, stored ? quint16(0) : f.setTime2);
        const ValueBox &ratio = mode == DMMData::dmPI ? rec.staticCast<DMMDataPI>()->piRatio
                                                      : rec.staticCast<DMMDataDAR>()->darRatio;
        CHECK_BOX(ratio, "4.50", 4.5, "");
        QCOMPARE(d->testing, !stored);
        break;
    }
    case DMMData::dmCOMP: {
        auto d = rec.staticCast<DMMDataCOMP>();
        checkIrCommon(*d, false);
        QCOMPARE(d->compLimit.value, 123456);
        QCOMPARE(d->compLimit.text, QStringLiteral("123456"));
        QCOMPARE(d->compLimit.unit, MOhm);
        CHECK_BOX(d->res, "45.5", 45.5, GOhm);
        QCOMPARE(d->compResult, DMMDataCOMP::CompPass);
        QCOMPARE(d->testing, !stored);
        break;
    }
    case DMMData::dmCAP: {
        auto d = rec.staticCast<DMMDataCAP>();
        CHECK_BOX(d->cap, "1.50", 1.5, MicroF);
        QCOMPARE(d->vset.value, 1000);
        QVERIFY(d->overRange);
        QVERIFY(!d->underRange);
        QCOMPARE(d->testing, !stored);
        break;
    }
    case DMMData::dmVOLT: {
        auto d = rec.staticCast<DMMDataVOLT>();
        CHECK_BOX(d->volt, "380", 380.0, "V"); // AC: the polarity byte is ignored
        QCOMPARE(d->coupling, QStringLiteral("AC"));
        QCOMPARE(int(d->negative), 1);
        QCOMPARE(d->testing, !stored);
        break;
    }
    case DMMData::dmRES: {
        auto d = rec.staticCast<DMMDataRES>();
        CHECK_BOX(d->res, "45.5", 45.5, Ohm);
        QVERIFY(d->overRange);
        QVERIFY(d->testing);
        break;
    }
    }
}

QTEST_GUILESS_MAIN(TestFrameDecoding)
#include "tst_framedecoding.moc"
