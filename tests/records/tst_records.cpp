#include "dmmdata.h"
#include "mydmm.h"

#include <QMetaEnum>
#include <QTest>
#include <QVariant>

#include <cmath>
#include <limits>

class TestRecords : public QObject
{
    Q_OBJECT
private slots:
    void widthAndPrecision_data();
    void widthAndPrecision();
    void cutValue_data();
    void cutValue();
    void cutValueNonFinite();
    void valueBoxText();
    void valueBoxNonFiniteIsNormalised_data();
    void valueBoxNonFiniteIsNormalised();
    void valueBoxIntText();
    void packedTime_data();
    void packedTime();
    void unitCodes_data();
    void unitCodes();
    void recordClassesCarryTheirMode();
    void dataModeIsRegistered();
};

static const double NaN = std::numeric_limits<double>::quiet_NaN();
static const double Inf = std::numeric_limits<double>::infinity();

void TestRecords::widthAndPrecision_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("precision");
    QTest::newRow("0") << 0.0 << 3 << 0;
    QTest::newRow("-0") << -0.0 << 3 << 0;
    QTest::newRow("0.5") << 0.5 << 4 << 2;
    QTest::newRow("9.999") << 9.999 << 4 << 2;
    QTest::newRow("10") << 10.0 << 4 << 1;
    QTest::newRow("99.99") << 99.99 << 4 << 1;
    QTest::newRow("100") << 100.0 << 3 << 0;
    QTest::newRow("1234.5") << 1234.5 << 3 << 0;
    QTest::newRow("-250") << -250.0 << 4 << 2;
    QTest::newRow("NaN") << NaN << 3 << 0;
    QTest::newRow("+inf") << Inf << 3 << 0;
    QTest::newRow("-inf") << -Inf << 4 << 2;
}

void TestRecords::widthAndPrecision()
{
    QFETCH(double, x);
    QFETCH(int, width);
    QFETCH(int, precision);
    int w = -1;
    int p = -1;
    MyDMM::getDoubleParam(x, w, p);
    QCOMPARE(w, width);
    QCOMPARE(p, precision);
    QCOMPARE(MyDMM::getfieldWidth(x), width);
    QCOMPARE(MyDMM::getPrecision(x), precision);
}

void TestRecords::cutValue_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("precision");
    QTest::addColumn<double>("expected");
    QTest::newRow("toward zero, negative") << -1.239 << 2 << -1.23;
    QTest::newRow("no rounding up") << 9.999 << 2 << 9.99;
    QTest::newRow("float nearest 0.29 is below it") << double(0.29f) << 2 << 0.28;
    QTest::newRow("whole") << 123.456 << 0 << 123.0;
    QTest::newRow("one decimal") << 12.34 << 1 << 12.3;
    QTest::newRow("zero") << 0.0 << 0 << 0.0;
    // Products outside the 32-bit range are truncated, not wrapped.
    QTest::newRow("beyond int32, positive") << 3.0e9 << 0 << 3.0e9;
    QTest::newRow("beyond int32, negative") << -5.0e9 << 2 << -5.0e9;
    QTest::newRow("beyond int32, fraction") << 1.0e12 + 0.75 << 0 << 1.0e12;
}

void TestRecords::cutValue()
{
    QFETCH(double, x);
    QFETCH(int, precision);
    QFETCH(double, expected);
    QCOMPARE(MyDMM::getCutValue(x, precision), expected);
}

void TestRecords::cutValueNonFinite()
{
    QVERIFY(std::isnan(MyDMM::getCutValue(NaN, 0)));
    QCOMPARE(MyDMM::getCutValue(Inf, 0), Inf);
    QCOMPARE(MyDMM::getCutValue(-Inf, 2), -Inf);
}

void TestRecords::valueBoxText()
{
    ValueBox zero{QStringLiteral("  0"), 0.0, QStringLiteral("M\u03A9")};
    QCOMPARE(zero.toString(), QStringLiteral("  0 M\u03A9"));

    // A ratio has no unit: its text is followed by one blank.
    ValueBox ratio{QStringLiteral("1.50"), 1.5, QString()};
    QCOMPARE(ratio.toString(), QStringLiteral("1.50 "));
    QCOMPARE(ratio.value, 1.5);
}

void TestRecords::valueBoxNonFiniteIsNormalised_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("NaN") << NaN;
    QTest::newRow("+inf") << Inf;
    QTest::newRow("-inf") << -Inf;
}

void TestRecords::valueBoxNonFiniteIsNormalised()
{
    QFETCH(double, value);
    ValueBox box{QStringLiteral("nan"), value, QStringLiteral("G\u03A9")};
    QCOMPARE(box.toString(), QStringLiteral("- G\u03A9"));
    QCOMPARE(box.value, 0.0);
    QCOMPARE(box.text, QStringLiteral("-"));
    QCOMPARE(box.toString(), QStringLiteral("- G\u03A9"));
}

void TestRecords::valueBoxIntText()
{
    const ValueBoxInt box{QStringLiteral("-100"), -100, QStringLiteral("V")};
    QCOMPARE(box.toString(), QStringLiteral("-100 V"));
}

void TestRecords::packedTime_data()
{
    QTest::addColumn<int>("packed");
    QTest::addColumn<QString>("text");
    QTest::newRow("0x0A05") << 0x0A05 << QStringLiteral("10:05");
    QTest::newRow("0x0100") << 0x0100 << QStringLiteral("01:00");
    QTest::newRow("0") << 0 << QStringLiteral("00:00");
    QTest::newRow("0x003C") << 0x003C << QStringLiteral("00:60");
    QTest::newRow("0xFFFF") << 0xFFFF << QStringLiteral("255:255");
}

void TestRecords::packedTime()
{
    QFETCH(int, packed);
    QFETCH(QString, text);
    QCOMPARE(TimeBox::convertString(static_cast<unsigned short>(packed)), text);
}

void TestRecords::unitCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("resistance");
    QTest::newRow("0") << 0 << QStringLiteral("nA") << QStringLiteral("M\u03A9");
    QTest::newRow("1") << 1 << QStringLiteral("uA") << QStringLiteral("G\u03A9");
    QTest::newRow("2") << 2 << QStringLiteral("mA") << QStringLiteral("T\u03A9");
    QTest::newRow("3") << 3 << QString() << QString();
    QTest::newRow("-1") << -1 << QString() << QString();
    QTest::newRow("255") << 255 << QString() << QString();
}

void TestRecords::unitCodes()
{
    QFETCH(int, code);
    QFETCH(QString, current);
    QFETCH(QString, resistance);
    QCOMPARE(MyDMM::getCurrUnit(code), current);
    QCOMPARE(MyDMM::getResUnit(code), resistance);
}

void TestRecords::recordClassesCarryTheirMode()
{
    const QList<QSharedPointer<DMMData>> records = {
        QSharedPointer<DMMDataIR>::create(),   QSharedPointer<DMMDataTime>::create(),
        QSharedPointer<DMMDataPI>::create(),   QSharedPointer<DMMDataDAR>::create(),
        QSharedPointer<DMMDataCOMP>::create(), QSharedPointer<DMMDataCAP>::create(),
        QSharedPointer<DMMDataVOLT>::create(), QSharedPointer<DMMDataRES>::create(),
    };
    for (int i = 0; i < records.size(); ++i) {
        const auto &rec = records.at(i);
        QCOMPARE(int(rec->mode), i);
        QCOMPARE(rec->metaObject()->className(), "DMMData");
        QVERIFY(rec->dateTime.isNull());
        QVERIFY(!rec->parent());
        QVERIFY(!rec->testing);
        QCOMPARE(rec->auxWord, 0);
    }
    // Text members start empty, numbers at zero.
    auto pi = records.at(DMMData::dmPI).staticCast<DMMDataPI>();
    QVERIFY(pi->res.text.isEmpty() && pi->res2.unit.isEmpty() && pi->piRatio.text.isEmpty());
    QCOMPARE(pi->res2.value, 0.0);
    QVERIFY(records.at(DMMData::dmVOLT).staticCast<DMMDataVOLT>()->coupling.isEmpty());
}

void TestRecords::dataModeIsRegistered()
{
    const QMetaEnum e = QMetaEnum::fromType<DMMData::DataMode>();
    QVERIFY(e.isValid());
    const QStringList names = {"IR", "Time", "PI", "DAR", "COMP", "CAP", "VOLT", "RES"};
    QCOMPARE(e.keyCount(), names.size());
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(QString::fromLatin1(e.valueToKey(i)).mid(2), names.at(i));
    QCOMPARE(DMMData::staticMetaObject.enumeratorCount(), 1);
    QCOMPARE(DMMData::staticMetaObject.methodCount(), QObject::staticMetaObject.methodCount());

    const QVariant v = QVariant::fromValue(DMMData::dmCOMP);
    QCOMPARE(v.value<DMMData::DataMode>(), DMMData::dmCOMP);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
