// Decoding of display frames into the emulated display and the reading.

#include "ansitext.h"
#include "consoledisplayencoder.h"
#include "consoletestform.h"
#include "lcdpanel.h"
#include "segmenttables.h"
#include "virtualconsoletester.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kOhm(QChar(0x03A9));

// Bytes B0..B9 | main digits B10..B13 | B14..B19.
const char *const k1905 = "00000000000000000000"
                          "06BFD7B5"
                          "000000000000";

} // namespace

class TstConsoleDisplay : public QObject
{
    Q_OBJECT
private slots:
    void mainDigits_data();
    void mainDigits();
    void pointOfFirstDigitStaysLit();
    void unknownByteKeepsPreviousDigit();
    void singleBitIndicators_data();
    void singleBitIndicators();
    void unitFromN29_data();
    void unitFromN29();
    void functionText_data();
    void functionText();
    void voltageRangesHideBarGraph_data();
    void voltageRangesHideBarGraph();
    void remarkText_data();
    void remarkText();
    void timerAndMemoryDigits();
    void frameWithoutLineEndOnlyLightsLink();
    void malformedFrameTextIsRejected_data();
    void malformedFrameTextIsRejected();
    void dispInitLeavesDigits();
    void recordingHookOnlyWithMainDigit();
    void segmentTables_data();
    void segmentTables();
    void gbkText();
    void encoderFramesDecodeToTheTesterReading();
};

void TstConsoleDisplay::mainDigits_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("captions"); // A B C D, '_' for a hidden digit
    QTest::addColumn<QString>("points");   // Point1 Point2 Point3 Labto, 1 lit

    QTest::newRow("19.05") << k1905 << "."
                           << "19.05"
                           << "1905"
                           << "0100";
    QTest::newRow("locale comma") << k1905 << ","
                                  << "19,05"
                                  << "1905"
                                  << "0100";
    QTest::newRow("LL") << "00000000000000000000"
                           "D0D00000"
                           "000000000000"
                        << "."
                        << "LL"
                        << "@@__"
                        << "0000";
    QTest::newRow("negative") << "00000004000000000000"
                                 "06BFD7B5"
                                 "000000000000"
                              << "."
                              << "-19.05"
                              << "1905"
                              << "0100";
    QTest::newRow("no points") << "00000000000000000000"
                                  "06070707"
                                  "000000000000"
                               << "."
                               << "1777"
                               << "1777"
                               << "0000";
    QTest::newRow("point on last digit") << "00000000000000000000"
                                            "0606060E"
                                            "000000000000"
                                         << "."
                                         << "1111."
                                         << "1111"
                                         << "0001";
}

void TstConsoleDisplay::mainDigits()
{
    QFETCH(QString, data);
    QFETCH(QString, separator);
    QFETCH(QString, value);
    QFETCH(QString, captions);
    QFETCH(QString, points);

    ConsoleTestForm form;
    form.decimalSeparator = separator;
    form.ShowDataTrv(frameText(data.toLatin1()));

    QCOMPARE(form.readingValue, value);
    const char *const digits[] = {"LabelA", "LabelB", "LabelC", "LabelD"};
    for (int i = 0; i < 4; ++i) {
        const bool shown = captions.at(i) != QLatin1Char('_');
        QCOMPARE(form.lit(digits[i]), shown);
        if (shown)
            QCOMPARE(form.caption(digits[i]), QString(captions.at(i)));
    }
    const char *const indicators[] = {"Point1", "Point2", "Point3", "Labto"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(form.lit(indicators[i]), points.at(i) == QLatin1Char('1'));
    QCOMPARE(form.lit("LabelF"), value.startsWith(QLatin1Char('-')));
}

void TstConsoleDisplay::pointOfFirstDigitStaysLit()
{
    // E0 on LabelA lights Point1; 7D on LabelD concerns only Labto.
    ConsoleTestForm form;
    form.decimalSeparator = QStringLiteral(".");
    form.ShowDataTrv(frameText("00000000000000000000"
                               "0E0000D7"
                               "000000000000"));
    QVERIFY(form.lit("Point1"));
    QVERIFY(!form.lit("Labto"));
    QCOMPARE(form.readingValue, QStringLiteral("1.0"));
}

void TstConsoleDisplay::unknownByteKeepsPreviousDigit()
{
    ConsoleTestForm form;
    form.decimalSeparator = QStringLiteral(".");
    form.ShowDataTrv(frameText(k1905));
    // 01 on LabelA is in neither table.
    form.ShowDataTrv(frameText("00000000000000000000"
                               "10BFD7B5"
                               "000000000000"));
    QVERIFY(form.lit("LabelA"));
    QCOMPARE(form.caption("LabelA"), QStringLiteral("1"));
    QCOMPARE(form.readingValue, QStringLiteral("9.05"));

    // The same for a test-voltage digit: 01 on Label7 leaves its "5".
    form.ShowDataTrv(frameText("00000000000000000000"
                               "06BFD7B5"
                               "0005B0000000"));
    QCOMPARE(form.caption("Label7"), QStringLiteral("5"));
    form.ShowDataTrv(frameText("00000000000000000000"
                               "06BFD7B5"
                               "000100000000"));
    QVERIFY(form.lit("Label7"));
    QCOMPARE(form.caption("Label7"), QStringLiteral("5"));
}

void TstConsoleDisplay::singleBitIndicators_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("control");

    // One frame digit per row: N(2k+1) is the high half of byte k.
    QTest::newRow("N1 b0") << "1000000000000000000000000000000000000000"
                           << "bar6";
    QTest::newRow("N1 b3") << "8000000000000000000000000000000000000000"
                           << "bar3";
    QTest::newRow("N2 b0") << "0100000000000000000000000000000000000000"
                           << "bar7";
    QTest::newRow("N3 b0") << "0010000000000000000000000000000000000000"
                           << "bar14";
    QTest::newRow("N6 b3") << "0000080000000000000000000000000000000000"
                           << "bar26";
    QTest::newRow("N7 b0") << "0000001000000000000000000000000000000000"
                           << "bar30";
    QTest::newRow("N8 b3") << "0000000800000000000000000000000000000000"
                           << "labmo";
    QTest::newRow("N9 b3") << "0000000080000000000000000000000000000000"
                           << "Labgo";
    QTest::newRow("N19 b1") << "0000000000000000002000000000000000000000"
                            << "labs1";
    QTest::newRow("N20 b3") << "0000000000000000000800000000000000000000"
                            << "labTIME1";
    QTest::newRow("N20 b0") << "0000000000000000000100000000000000000000"
                            << "labLoad";
    QTest::newRow("N38 b0") << "0000000000000000000000000000000000000100"
                            << "IMmike";
    QTest::newRow("N38 b3") << "0000000000000000000000000000000000000800"
                            << "stor1";
    QTest::newRow("N39 b0") << "0000000000000000000000000000000000000010"
                            << "IMoff";
    QTest::newRow("N39 b1") << "0000000000000000000000000000000000000020"
                            << "Bar0";
    QTest::newRow("N39 b3") << "0000000000000000000000000000000000000080"
                            << "bar2";
    QTest::newRow("N40 b0") << "0000000000000000000000000000000000000001"
                            << "IGPower";
    QTest::newRow("N40 b3") << "0000000000000000000000000000000000000008"
                            << "powerV1";
}

void TstConsoleDisplay::singleBitIndicators()
{
    QFETCH(QString, data);
    QFETCH(QString, control);

    ConsoleTestForm form;
    form.ShowDataTrv(frameText(data.toLatin1()));
    const QByteArray name = control.toLatin1();
    QVERIFY2(form.lit(name.constData()), name.constData());
    // Exactly this one of the single-bit controls is lit.
    for (const QString &other : LcdState::dispInitNames()) {
        if (other != control)
            QVERIFY2(!form.Panel4->state().isLit(other), qPrintable(other));
    }
}

void TstConsoleDisplay::unitFromN29_data()
{
    QTest::addColumn<QString>("b14");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QStringList>("lit");

    QTest::newRow("V") << "10"
                       << "V" << QStringList{"Labv"};
    QTest::newRow("ohm") << "20" << kOhm << QStringList{"Labo"};
    QTest::newRow("N29 = 6") << "60" << QString("M" + kOhm) << QStringList{"Labo", "Labmo1"};
    QTest::newRow("all four") << "F0" << QString("G" + kOhm)
                              << QStringList{"Labv", "Labo", "Labmo1", "Labgo1"};
}

void TstConsoleDisplay::unitFromN29()
{
    QFETCH(QString, b14);
    QFETCH(QString, unit);
    QFETCH(QStringList, lit);

    ConsoleTestForm form;
    form.ShowDataTrv(frameText(("00000000000000000000"
                                "06BFD7B5" +
                                b14 + "0000000000")
                                   .toLatin1()));
    QCOMPARE(form.readingUnit, unit);
    for (const char *name : {"Labv", "Labo", "Labmo1", "Labgo1"})
        QCOMPARE(form.lit(name), lit.contains(QLatin1String(name)));

    // A frame without unit bits keeps the unit.
    form.ShowDataTrv(frameText(k1905));
    QCOMPARE(form.readingUnit, unit);
}

void TstConsoleDisplay::functionText_data()
{
    QTest::addColumn<QString>("b14to16");
    QTest::addColumn<QString>("expected");

    // Label3 = high half of B15 and low half of B14, Label7 = high B16, low B15.
    QTest::newRow("blank, 5") << "0005B0" << QString("IR:500V 20G" + kOhm);
    QTest::newRow("1, 0") << "0057D0" << QString("IR:1000V 40G" + kOhm);
    QTest::newRow("2, 5") << "03E5B0" << QString("IR:2500 100G" + kOhm);
    QTest::newRow("5, 0") << "05B7D0" << QString("IR:5000V 1000G" + kOhm);
    QTest::newRow("no match keeps") << "0171F0" << QString("previous");
    QTest::newRow("blank, 0 keeps") << "0007D0" << QString("previous");
}

void TstConsoleDisplay::functionText()
{
    QFETCH(QString, b14to16);
    QFETCH(QString, expected);

    ConsoleTestForm form;
    form.functionText = QStringLiteral("previous");
    form.ShowDataTrv(frameText(("00000000000000000000"
                                "06BFD7B5" +
                                b14to16 + "000000")
                                   .toLatin1()));
    QCOMPARE(form.functionText, expected);
}

void TstConsoleDisplay::voltageRangesHideBarGraph_data()
{
    QTest::addColumn<QString>("b3");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("lit");

    QTest::newRow("DC") << "01"
                        << "DCV  600V"
                        << QStringList{"labdc", "Shape1", "Shape2", "Shape3", "Shape4"};
    QTest::newRow("AC") << "02"
                        << "ACV  600V" << QStringList{"labt", "labac"};
    QTest::newRow("DC and AC") << "03"
                               << "ACV  600V" << QStringList{"labdc", "Shape1", "labt", "labac"};
}

void TstConsoleDisplay::voltageRangesHideBarGraph()
{
    QFETCH(QString, b3);
    QFETCH(QString, expected);
    QFETCH(QStringList, lit);

    ConsoleTestForm form;
    // The test-voltage digits read "1000": without DC/AC they would set the text.
    form.ShowDataTrv(frameText(("000000" + b3 +
                                "000000000000"
                                "06BFD7B5"
                                "0057D0000000")
                                   .toLatin1()));
    QCOMPARE(form.functionText, expected);
    QVERIFY(!form.lit("KD"));
    for (const QString &name : lit)
        QVERIFY2(form.Panel4->state().isLit(name), qPrintable(name));

    // The next frame without the range bits shows the bar graph again.
    form.ShowDataTrv(frameText(k1905));
    QVERIFY(form.lit("KD"));
    QVERIFY(!form.lit("labdc"));
    QVERIFY(!form.lit("labac"));
}

void TstConsoleDisplay::remarkText_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("remark");
    QTest::addColumn<QString>("control");

    QTest::newRow("continuous") << k1905 << "Continuous"
                                << "";
    QTest::newRow("timed") << "00000000000000000010"
                              "06BFD7B5"
                              "000000000000"
                           << "Timed"
                           << "power";
    QTest::newRow("PI") << "00000000000000000000"
                           "06BFD7B5"
                           "000000000400"
                        << "PI"
                        << "labp1";
    // Label7 "0" with its flag: DF, low half in B15, high half in B16.
    QTest::newRow("COMP:NG") << "00000000000000000000"
                                "06BFD7B5"
                                "000FD0000000"
                             << "COMP:NG"
                             << "Labng";
    // Label10 "0" with its flag: low half in B16, high half in B17.
    QTest::newRow("COMP:GOOD") << "00000000000000000000"
                                  "06BFD7B5"
                                  "00000FD00000"
                               << "COMP:GOOD"
                               << "Labgood";
}

void TstConsoleDisplay::remarkText()
{
    QFETCH(QString, data);
    QFETCH(QString, remark);
    QFETCH(QString, control);

    ConsoleTestForm form;
    form.remarkText = QStringLiteral("stale");
    form.ShowDataTrv(frameText(data.toLatin1()));
    QCOMPARE(form.remarkText, remark);
    if (!control.isEmpty())
        QVERIFY(form.Panel4->state().isLit(control));
}

void TstConsoleDisplay::timerAndMemoryDigits()
{
    ConsoleTestForm form;
    // M_Time2 = B4 "3", M_Time1 = B5 "3", H_Time2 = B6 "2" with flag (colon),
    // H_Time1 = B7 "1", stor2 = B8 "7" with flag (FUL); Label9 "8" with flag (V).
    form.ShowDataTrv(frameText("000000007A"
                               "7ABE60F0"
                               "00"
                               "06BFD7B5"
                               "0000000FF000"));
    QCOMPARE(form.caption("M_Time2"), QStringLiteral("3"));
    QCOMPARE(form.caption("M_Time1"), QStringLiteral("3"));
    QCOMPARE(form.caption("H_Time2"), QStringLiteral("2"));
    QCOMPARE(form.caption("H_Time1"), QStringLiteral("1"));
    QCOMPARE(form.caption("stor2"), QStringLiteral("7"));
    QCOMPARE(form.caption("Label9"), QStringLiteral("8"));
    QVERIFY(form.lit("T_dPoint1"));
    QVERIFY(form.lit("Labtime"));
    QVERIFY(form.lit("LabFUL"));
    QVERIFY(form.lit("Label4"));
    QVERIFY(!form.lit("Labclr"));
    QVERIFY(!form.lit("labCOMP"));

    // A blank digit is hidden.
    form.ShowDataTrv(frameText(k1905));
    QVERIFY(!form.lit("H_Time1"));
    QVERIFY(!form.lit("T_dPoint1"));
}

void TstConsoleDisplay::frameWithoutLineEndOnlyLightsLink()
{
    ConsoleTestForm form;
    QSignalSpy readings(&form, &TFrmTest::readingDecoded);
    const LcdState before = form.Panel4->state();
    QString frame = frameText(k1905);
    frame.replace(40, 4, QStringLiteral("0D0B"));
    form.ShowDataTrv(frame);

    QVERIFY(form.readingValue.isEmpty());
    QCOMPARE(readings.count(), 0);
    QVERIFY(form.lit("CONok"));
    QVERIFY(!form.lit("CONokN"));
    QVERIFY(form.lit("rsUSB"));
    QVERIFY(!form.lit("LabelA"));
    LcdState expected = before;
    expected.setLit(QStringLiteral("CONok"), true);
    expected.setLit(QStringLiteral("CONokN"), false);
    expected.setLit(QStringLiteral("rsUSB"), true);
    QVERIFY(form.Panel4->state() == expected);
}

void TstConsoleDisplay::malformedFrameTextIsRejected_data()
{
    QTest::addColumn<QString>("frame");
    QTest::newRow("empty") << QString();
    QTest::newRow("only line end") << QStringLiteral("0D0A");
    QTest::newRow("not hexadecimal") << QString(frameText(k1905)).replace(3, 1, QLatin1Char('Z'));
}

void TstConsoleDisplay::malformedFrameTextIsRejected()
{
    QFETCH(QString, frame);
    ConsoleTestForm form;
    QSignalSpy readings(&form, &TFrmTest::readingDecoded);
    form.ShowDataTrv(frame);
    QCOMPARE(readings.count(), 0);
    QVERIFY(form.readingValue.isEmpty());
    QVERIFY(!form.lit("LabelA"));
}

void TstConsoleDisplay::dispInitLeavesDigits()
{
    ConsoleTestForm form;
    form.ShowDataTrv(frameText("FFFFFFF7800000FFFFFF"
                               "06BFD7B5"
                               "F5B7DFDFFFFF"));
    const LcdState shown = form.Panel4->state();
    form.DispInit(0);
    for (const QString &name : LcdState::dispInitNames())
        QVERIFY2(!form.Panel4->state().isLit(name), qPrintable(name));
    for (const QString &name : LcdState::digitNames()) {
        QCOMPARE(form.Panel4->state().isLit(name), shown.isLit(name));
        QCOMPARE(form.Panel4->state().caption(name), shown.caption(name));
    }
}

void TstConsoleDisplay::recordingHookOnlyWithMainDigit()
{
    ConsoleTestForm form;
    QSignalSpy readings(&form, &TFrmTest::readingDecoded);
    QSignalSpy frames(&form, &TFrmTest::frameDecoded);
    form.ShowDataTrv(frameText("0000000000000000000000000000000000000000"));
    QCOMPARE(readings.count(), 0);
    form.ShowDataTrv(frameText(k1905));
    QCOMPARE(readings.count(), 1);
    QCOMPARE(frames.count(), 2);
}

void TstConsoleDisplay::segmentTables_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("glyph");
    QTest::addColumn<bool>("point");

    QTest::newRow("A 00 blank") << int(SegmentTables::TableA) << 0x00 << "H" << false;
    QTest::newRow("B 00 blank") << int(SegmentTables::TableB) << 0x00 << "H" << false;
    QTest::newRow("A 01 unknown") << int(SegmentTables::TableA) << 0x01 << "G" << true;
    QTest::newRow("A 80 unknown") << int(SegmentTables::TableA) << 0x80 << "G" << true;
    QTest::newRow("A FF 8P") << int(SegmentTables::TableA) << 0xFF << "8" << true;
    QTest::newRow("B FF 8P") << int(SegmentTables::TableB) << 0xFF << "8" << true;
    QTest::newRow("A 0D @") << int(SegmentTables::TableA) << 0x0D << "@" << false;
    QTest::newRow("B 0F @P") << int(SegmentTables::TableB) << 0x0F << "@" << true;
    QTest::newRow("B 58 1P") << int(SegmentTables::TableB) << 0x58 << "1" << true;
    QTest::newRow("A 58 unknown") << int(SegmentTables::TableA) << 0x58 << "G" << true;
    QTest::newRow("A DF 6P") << int(SegmentTables::TableA) << 0xDF << "6" << true;
    QTest::newRow("B DF 0P") << int(SegmentTables::TableB) << 0xDF << "0" << true;
    QTest::newRow("A FD 0P") << int(SegmentTables::TableA) << 0xFD << "0" << true;
    QTest::newRow("B FD 9P") << int(SegmentTables::TableB) << 0xFD << "9" << true;
}

void TstConsoleDisplay::segmentTables()
{
    QFETCH(int, table);
    QFETCH(int, byte);
    QFETCH(QString, glyph);
    QFETCH(bool, point);
    const SegmentGlyph g =
        SegmentTables::decode(SegmentTables::Table(table), static_cast<unsigned char>(byte));
    QCOMPARE(QString(g.glyph), glyph);
    QCOMPARE(g.point, point);
}

void TstConsoleDisplay::gbkText()
{
    const QString unit = QStringLiteral("M") + kOhm;
    QCOMPARE(AnsiText::toGbkBytes(unit), QByteArray("M\xA6\xB8"));
    QCOMPARE(AnsiText::fromGbkBytes(QByteArray("IR:500V 20G\xA6\xB8")),
             QString("IR:500V 20G" + kOhm));
    QCOMPARE(AnsiText::toGbkBytes(QStringLiteral("DCV  600V")), QByteArray("DCV  600V"));
}

void TstConsoleDisplay::encoderFramesDecodeToTheTesterReading()
{
    // The virtual tester's frames show on the display as the tester shows
    // them: the digits, the points and the unit.
    ConsoleTestForm form;
    form.decimalSeparator = QStringLiteral(".");
    for (int step : {0, 13, 45, 90, 130, 170, 210}) {
        const ConsoleDisplayState s = VirtualConsoleTester::stateAt(step);
        form.ShowDataTrv(
            QString::fromLatin1(ConsoleDisplayEncoder::encodeFrame(s).toHex().toUpper()));
        QString expected;
        for (int i = 0; i < 4; ++i) {
            expected += s.mainDigits.at(i);
            if (i < 3 && s.points[i])
                expected += QLatin1Char('.');
        }
        QCOMPARE(form.readingValue, expected);
        if (s.testVoltage.at(3) == QLatin1Char(' '))
            QVERIFY(!form.lit("Label9"));
        else
            QCOMPARE(form.caption("Label9"), QString(s.testVoltage.at(3)));
        if (s.units == ConsoleDisplayState::GigaOhm)
            QCOMPARE(form.readingUnit, QString("G" + kOhm));
        if (s.units == ConsoleDisplayState::Volt)
            QCOMPARE(form.readingUnit, QStringLiteral("V"));
        QCOMPARE(form.lit("KD"), !s.dc && !s.ac);
        QCOMPARE(form.lit("bar2"), s.bars > 2);
        QCOMPARE(form.lit("bar3"), s.bars > 3);
        QCOMPARE(form.lit("bar30"), s.bars > 30);
    }
}

QTEST_MAIN(TstConsoleDisplay)
#include "tst_consoledisplay.moc"
