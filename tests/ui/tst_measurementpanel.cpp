// The measurement panel: what every mode writes into every label, the
// markers, COMP colours and the testing indicator.
#include "recordfactory.h"
#include "templatewindow.h"

#include <QFrame>
#include <QLabel>
#include <QtTest>

#include <cmath>

using namespace rf;

namespace {

const char *const kPanelLabels[] = {
    "lcdTop1",     "lcdLeft1",     "lcdVSet",     "lcdLeft2",       "lcdVOut",
    "lcdLeft3",    "lcdLC",        "lcdMain",     "lcdGreaterSign", "lcdRight1",
    "lcdRight11",  "lcdRight2",    "lcdRight21",  "lcdRight3",      "lcdRight31",
    "lcdTimeSet1", "lcdTimeSet11", "lcdTimeSet2", "lcdTimeSet21",
};

using Expect = QMap<QString, QString>;

// Labels the insulation family fills alike.
Expect insulationLeft()
{
    return {{"lcdLeft1", "Vset:"}, {"lcdVSet", "500 V"}, {"lcdLeft2", "Vout:"},
            {"lcdVOut", "512 V"},  {"lcdLeft3", "LC:"},  {"lcdLC", "0.50 uA"}};
}

// Everything not named keeps this: empty, except the set-time rows and the
// greater-than sign, which hold one blank.
QString defaultText(const QString &label)
{
    if (label.startsWith(QLatin1String("lcdTimeSet")) || label == QLatin1String("lcdGreaterSign"))
        return QStringLiteral(" ");
    return QString();
}

Expect merged(Expect a, const Expect &b)
{
    for (auto it = b.begin(); it != b.end(); ++it)
        a.insert(it.key(), it.value());
    return a;
}

} // namespace

Q_DECLARE_METATYPE(QSharedPointer<DMMData>)

class TstMeasurementPanel : public QObject
{
    Q_OBJECT
private slots:
    void panel_data();
    void panel();
    void nanReadingShowsDashAndNormalisesRecord();
    void unknownModeChangesNothing();
    void unitMultiplier_data();
    void unitMultiplier();
};

void TstMeasurementPanel::panel_data()
{
    QTest::addColumn<QSharedPointer<DMMData>>("record");
    QTest::addColumn<Expect>("expect");
    QTest::addColumn<QString>("resultStyle");
    QTest::addColumn<bool>("lit");

    const QString M = mohm(), G = gohm();
    {
        auto r = ir();
        r->testing = true;
        QTest::newRow("IR") << r.staticCast<DMMData>()
                            << merged(insulationLeft(), {{"lcdMain", "12.3 " + M},
                                                         {"lcdRight1", "DAR:"},
                                                         {"lcdRight11", "2.35 "},
                                                         {"lcdRight2", "PI:"},
                                                         {"lcdRight21", "1.20 "},
                                                         {"lcdRight3", "Time:"},
                                                         {"lcdRight31", "10:05"}})
                            << QString() << true;
        auto o = ir(1000, G);
        o->overRange = true;
        QTest::newRow("IR over range") << o.staticCast<DMMData>()
                                       << merged(insulationLeft(), {{"lcdMain", "1000 " + G},
                                                                    {"lcdGreaterSign", ">"},
                                                                    {"lcdRight1", "DAR:"},
                                                                    {"lcdRight11", "2.35 "},
                                                                    {"lcdRight2", "PI:"},
                                                                    {"lcdRight21", "1.20 "},
                                                                    {"lcdRight3", "Time:"},
                                                                    {"lcdRight31", "10:05"}})
                                       << QString() << false;
    }
    QTest::newRow("Time") << timed().staticCast<DMMData>()
                          << merged(insulationLeft(), {{"lcdTop1", "Time"},
                                                       {"lcdMain", "12.3 " + M},
                                                       {"lcdRight3", "Time:"},
                                                       {"lcdRight31", "00:48"},
                                                       {"lcdTimeSet1", "Time-Set:"},
                                                       {"lcdTimeSet11", "01:00"}})
                          << QString() << false;
    {
        auto p = pi(2.5);
        p->overRange = true; // RES1 over range: marker in the right column only
        p->testing = true;
        QTest::newRow("PI") << p.staticCast<DMMData>()
                            << merged(insulationLeft(), {{"lcdTop1", "PI"},
                                                         {"lcdMain", "2.50 "},
                                                         {"lcdRight1", "RES1:"},
                                                         {"lcdRight11", ">1000 " + G},
                                                         {"lcdRight2", "RES2:"},
                                                         {"lcdRight21", " 20.0 " + G},
                                                         {"lcdRight3", "Time:"},
                                                         {"lcdRight31", "10:00"},
                                                         {"lcdTimeSet1", "Time-Set1:"},
                                                         {"lcdTimeSet11", "01:00"},
                                                         {"lcdTimeSet2", "Time-Set2:"},
                                                         {"lcdTimeSet21", "10:00"}})
                            << QString() << true;
        auto d = dar(1.3);
        d->res2OverRange = true;
        QTest::newRow("DAR") << d.staticCast<DMMData>()
                             << merged(insulationLeft(), {{"lcdTop1", "DAR"},
                                                          {"lcdMain", "1.30 "},
                                                          {"lcdRight1", "RES1:"},
                                                          {"lcdRight11", " 1000 " + G},
                                                          {"lcdRight2", "RES2:"},
                                                          {"lcdRight21", ">20.0 " + G},
                                                          {"lcdRight3", "Time:"},
                                                          {"lcdRight31", "10:00"},
                                                          {"lcdTimeSet1", "Time-Set1:"},
                                                          {"lcdTimeSet11", "01:00"},
                                                          {"lcdTimeSet2", "Time-Set2:"},
                                                          {"lcdTimeSet21", "10:00"}})
                             << QString() << false;
    }
    const struct
    {
        const char *tag;
        quint8 result;
        const char *word, *style;
    } comps[] = {
        {"COMP pass", 2, "PASS", "color:#00ff00"},
        {"COMP fail", 1, "FAIL", "color:#ff0000"},
        {"COMP other value fails", 7, "FAIL", "color:#ff0000"},
        {"COMP no result", 0, "", ""},
    };
    for (const auto &c : comps) {
        auto r = comp(c.result);
        r->overRange = true;
        QTest::newRow(c.tag) << r.staticCast<DMMData>()
                             << merged(insulationLeft(),
                                       {{"lcdTop1", "COMP"},
                                        {"lcdMain", "12.3 " + M},
                                        {"lcdGreaterSign", ">"},
                                        {"lcdRight1", "RES-COMP:"},
                                        {"lcdRight11", "100 " + M},
                                        {"lcdRight2", "Result:"},
                                        {"lcdRight21", QString::fromLatin1(c.word)}})
                             << QString::fromLatin1(c.style) << false;
    }
    {
        auto c = cap(true);
        c->testing = true;
        QTest::newRow("CAP over range has no sign") << c.staticCast<DMMData>()
                                                    << Expect{{"lcdTop1", "CAP"},
                                                              {"lcdLeft1", "Vset:"},
                                                              {"lcdVSet", "250 V"},
                                                              {"lcdMain", "1.25 " + microFarad()}}
                                                    << QString() << true;
    }
    QTest::newRow("VOLT AC never lights")
        << volt(QStringLiteral("AC")).staticCast<DMMData>()
        << Expect{{"lcdTop1", "VOLT"}, {"lcdMain", "230 V"}, {"lcdRight11", "AC"}} << QString()
        << false;
    QTest::newRow("VOLT DC") << volt(QStringLiteral("DC")).staticCast<DMMData>()
                             << Expect{{"lcdTop1", "VOLT"},
                                       {"lcdMain", "230 V"},
                                       {"lcdRight11", "DC"}}
                             << QString() << false;
    {
        auto r = res(1.5);
        r->overRange = true;
        r->testing = true;
        QTest::newRow("RES") << r.staticCast<DMMData>()
                             << Expect{{"lcdTop1", "RES"},
                                       {"lcdMain", "1.5 " + ohm()},
                                       {"lcdGreaterSign", ">"}}
                             << QString() << true;
    }
}

void TstMeasurementPanel::panel()
{
    QFETCH(QSharedPointer<DMMData>, record);
    QFETCH(Expect, expect);
    QFETCH(QString, resultStyle);
    QFETCH(bool, lit);

    TemplateWindow w;
    // A PI reading first fills every label and lights the indicator, so each
    // case also shows that nothing of the previous mode survives.
    auto before = pi(3.0);
    before->testing = true;
    before->overRange = true;
    w.updateDataToDisplay(before);
    auto comps = comp(1);
    w.updateDataToDisplay(comps);

    w.updateDataToDisplay(record);
    for (const char *name : kPanelLabels) {
        const QString n = QString::fromLatin1(name);
        const QString want = expect.contains(n) ? expect.value(n) : defaultText(n);
        QCOMPARE(w.findChild<QLabel *>(n)->text(), want);
    }
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lcdRight21"))->styleSheet(), resultStyle);
    QCOMPARE(w.findChild<QFrame *>(QStringLiteral("lcdTesting"))->styleSheet(),
             lit ? QStringLiteral("background-color:#ff0000") : QString());
}

void TstMeasurementPanel::nanReadingShowsDashAndNormalisesRecord()
{
    TemplateWindow w;
    auto r = ir();
    r->res = box(QStringLiteral("nan"), std::nan(""), mohm());
    r->current = box(QStringLiteral("inf"), INFINITY, QStringLiteral("nA"));
    w.updateDataToDisplay(r);
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lcdMain"))->text(), "- " + mohm());
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lcdLC"))->text(), QStringLiteral("- nA"));
    QCOMPARE(r->res.value, 0.0);
    QCOMPARE(r->res.text, QStringLiteral("-"));
}

void TstMeasurementPanel::unknownModeChangesNothing()
{
    TemplateWindow w;
    w.updateDataToDisplay(pi(2.0));
    QMap<QString, QString> before;
    for (const char *name : kPanelLabels)
        before.insert(name, w.findChild<QLabel *>(QString::fromLatin1(name))->text());
    const QString testingBefore = w.findChild<QFrame *>(QStringLiteral("lcdTesting"))->styleSheet();

    w.updateDataToDisplay(QSharedPointer<DMMData>());
    // A mode byte the tester does not define (the enumeration has a fixed
    // underlying type, so such a value is representable).
    QSharedPointer<DMMData> odd(new DMMData);
    odd->mode = static_cast<DMMData::DataMode>(9);
    odd->testing = true;
    w.updateDataToDisplay(odd);
    for (const char *name : kPanelLabels)
        QCOMPARE(w.findChild<QLabel *>(QString::fromLatin1(name))->text(), before.value(name));
    QCOMPARE(w.findChild<QFrame *>(QStringLiteral("lcdTesting"))->styleSheet(), testingBefore);
}

void TstMeasurementPanel::unitMultiplier_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("factor");
    QTest::newRow("TOhm") << tohm() << 1e6;
    QTest::newRow("GOhm") << gohm() << 1e3;
    QTest::newRow("MOhm") << mohm() << 1.0;
    QTest::newRow("Ohm") << ohm() << 1.0;
    QTest::newRow("empty") << QString() << 1.0;
    QTest::newRow("lower-case g") << QStringLiteral("g") << 1e3;
    QTest::newRow("mA matches M first") << QStringLiteral("mA") << 1.0;
    QTest::newRow("uF") << microFarad() << 1.0;
}

void TstMeasurementPanel::unitMultiplier()
{
    QFETCH(QString, unit);
    QFETCH(double, factor);
    QCOMPARE(TemplateWindow::getUnitMul(unit), factor);
}

QTEST_MAIN(TstMeasurementPanel)
#include "tst_measurementpanel.moc"
