// Decoding of one display frame into the emulated display and the reading.

#include "tfrmtest.h"

#include "lcdpanel.h"
#include "segmenttables.h"

#include <QDebug>
#include <QEventLoop>
#include <QTimer>

namespace {

const QChar kOhm(0x03A9);

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

struct DigitPlace
{
    const char *label;
    SegmentTables::Table table;
    int first, second; // frame digits: segment byte = 16 * first + second
    const char *indicator;
    const char *indicator2;
};

// The four main digits.
const DigitPlace kMainDigits[] = {
    {"LabelA", SegmentTables::TableA, 22, 21, "Point1", nullptr},
    {"LabelB", SegmentTables::TableA, 24, 23, "Point2", nullptr},
    {"LabelC", SegmentTables::TableA, 26, 25, "Point3", nullptr},
    {"LabelD", SegmentTables::TableA, 28, 27, "Labto", nullptr},
};

// Test voltage, timer and memory digits, in decoding order.
const DigitPlace kOtherDigits[] = {
    {"Label3", SegmentTables::TableB, 31, 30, "danger", nullptr},
    {"Label7", SegmentTables::TableB, 33, 32, "Labng", nullptr},
    {"Label10", SegmentTables::TableB, 35, 34, "Labgood", nullptr},
    {"Label9", SegmentTables::TableB, 37, 36, "Label4", nullptr},
    {"H_Time1", SegmentTables::TableA, 15, 16, "Labclr", nullptr},
    {"H_Time2", SegmentTables::TableA, 13, 14, "Labtime", "T_dPoint1"},
    {"M_Time1", SegmentTables::TableA, 11, 12, "labCOMP", nullptr},
    {"M_Time2", SegmentTables::TableA, 9, 10, "Labgo", nullptr},
    {"stor2", SegmentTables::TableA, 17, 18, "LabFUL", nullptr},
};

// Single-bit indicators: frame digit and the controls of bits b0..b3.
struct BitRow
{
    int digit;
    const char *bits[4];
};

const BitRow kBarRows[] = {
    {1, {"bar6", "bar5", "bar4", "bar3"}},     {2, {"bar7", "bar8", "bar9", "bar10"}},
    {3, {"bar14", "bar13", "bar12", "bar11"}}, {4, {"bar15", "bar16", "bar17", "bar18"}},
    {5, {"bar22", "bar21", "bar20", "bar19"}}, {6, {"bar23", "bar24", "bar25", "bar26"}},
    {7, {"bar30", "bar29", "bar28", "bar27"}},
};

} // namespace

void TFrmTest::lightLink(LcdState &state) const
{
    state.setLit(QStringLiteral("CONok"), true);
    state.setLit(QStringLiteral("CONokN"), false);
    state.setLit(QStringLiteral("rsUSB"), true);
}

void TFrmTest::darken(LcdState &state) const
{
    for (const QString &name : LcdState::dispInitNames())
        state.setLit(name, false);
}

void TFrmTest::DispInit(int)
{
    LcdState state = Panel4->state();
    darken(state);
    Panel4->setState(state);
}

void TFrmTest::holdFrame()
{
    // Hold the frame without blocking the window: it repaints and answers
    // clicks meanwhile, and the reader thread waits until we return.
    m_holding = true;
    QEventLoop loop;
    QTimer::singleShot(m_frameHoldMs, &loop, &QEventLoop::quit);
    loop.exec();
    m_holding = false;
}

void TFrmTest::ShowDataTrv(const QString &frame)
{
    const int sequence = ++m_frameSeq;
    emit frameDecoded(frame);

    readingValue.clear();
    m_negative = false;
    m_dcMarked = false;
    m_acMarked = false;
    remarkText = QStringLiteral("Continuous");

    LcdState shown = Panel4->state();
    lightLink(shown);
    Panel4->setState(shown);

    if (frame.mid(40, 2) != QLatin1String("0D") || frame.mid(42, 2) != QLatin1String("0A"))
        return;
    for (int i = 0; i < 40; ++i) {
        if (!isHexDigit(frame.at(i))) {
            qWarning() << "ShowDataTrv: frame holds a character that is not hexadecimal:" << frame;
            return;
        }
    }

    if (m_frameHoldMs > 0) {
        holdFrame();
        if (sequence != m_frameSeq)
            return; // a newer frame arrived meanwhile and has been shown
    }

    // Build the next display state off-screen and show it in one update, so
    // the darkened display between two frames is never painted.
    LcdState next = Panel4->state();
    lightLink(next);
    darken(next);
    next.setLit(QStringLiteral("KD"), true);

    int n[41] = {};
    for (int i = 0; i < 40; ++i)
        n[i + 1] = frame.at(i).toUpper().toLatin1() <= '9'
                       ? frame.at(i).toLatin1() - '0'
                       : frame.at(i).toUpper().toLatin1() - 'A' + 10;
    auto bit = [&n](int digit, int b) { return ((n[digit] >> b) & 1) != 0; };
    auto lightIf = [&next](bool on, const char *name) {
        if (on)
            next.setLit(QLatin1String(name), true);
    };

    // Single-bit indicators, in their decoding order.
    for (const BitRow &row : kBarRows)
        for (int b = 0; b < 4; ++b)
            lightIf(bit(row.digit, b), row.bits[b]);

    if (bit(8, 0)) {
        for (const char *name : {"labdc", "Shape1", "Shape2", "Shape3", "Shape4"})
            next.setLit(QLatin1String(name), true);
        m_dcMarked = true;
        functionText = QStringLiteral("DCV  600V");
        next.setLit(QStringLiteral("KD"), false);
    }
    if (bit(8, 1)) {
        next.setLit(QStringLiteral("labt"), true);
        next.setLit(QStringLiteral("labac"), true);
        m_acMarked = true;
        functionText = QStringLiteral("ACV  600V");
        next.setLit(QStringLiteral("KD"), false);
    }
    if (bit(8, 2)) {
        next.setLit(QStringLiteral("LabelF"), true);
        m_negative = true;
    }
    lightIf(bit(8, 3), "labmo");
    lightIf(bit(9, 3), "Labgo");

    lightIf(bit(39, 0), "IMoff");
    lightIf(bit(39, 1), "Bar0");
    lightIf(bit(39, 2), "BAR1");
    lightIf(bit(39, 3), "bar2");

    lightIf(bit(40, 0), "IGPower");
    lightIf(bit(40, 1), "powerv3");
    lightIf(bit(40, 2), "powerv2");
    lightIf(bit(40, 3), "powerV1");

    static const char *const unitControls[] = {"Labv", "Labo", "Labmo1", "Labgo1"};
    const QString units[] = {QStringLiteral("V"), QString(kOhm), QStringLiteral("M") + kOhm,
                             QStringLiteral("G") + kOhm};
    for (int b = 0; b < 4; ++b) {
        if (bit(29, b)) {
            next.setLit(QLatin1String(unitControls[b]), true);
            readingUnit = units[b];
        }
    }

    lightIf(bit(20, 0), "labLoad");
    lightIf(bit(20, 1), "labsave");
    lightIf(bit(20, 2), "labtime2");
    lightIf(bit(20, 3), "labTIME1");

    if (bit(19, 0)) {
        next.setLit(QStringLiteral("power"), true);
        remarkText = QStringLiteral("Timed");
    }
    lightIf(bit(19, 1), "labs1");
    lightIf(bit(19, 2), "labs2");
    lightIf(bit(19, 3), "labs3");

    lightIf(bit(38, 0), "IMmike");
    if (bit(38, 2)) {
        next.setLit(QStringLiteral("labp1"), true);
        remarkText = QStringLiteral("PI");
    }
    lightIf(bit(38, 3), "stor1");

    auto decode = [&n](const DigitPlace &place) {
        const unsigned char byte =
            static_cast<unsigned char>(16 * n[place.first] + n[place.second]);
        return SegmentTables::decode(place.table, byte);
    };

    // The main digits make up the reading.
    for (const DigitPlace &place : kMainDigits) {
        const SegmentGlyph g = decode(place);
        const QString label = QLatin1String(place.label);
        if (g.isUnknown())
            continue; // the digit keeps what it showed
        if (g.isBlank()) {
            next.setLit(label, false);
            continue;
        }
        next.setLit(label, true);
        next.setCaption(label, QString(g.glyph));
        readingValue += g.glyph == QLatin1Char('@') ? QStringLiteral("L") : QString(g.glyph);
        if (g.point) {
            readingValue += decimalSeparator;
            next.setLit(QLatin1String(place.indicator), true);
        }
    }

    for (const DigitPlace &place : kOtherDigits) {
        const SegmentGlyph g = decode(place);
        const QString label = QLatin1String(place.label);
        if (g.isUnknown())
            continue;
        if (g.isBlank()) {
            next.setLit(label, false);
            continue;
        }
        next.setLit(label, true);
        next.setCaption(label, QString(g.glyph));
        next.setLit(QLatin1String(place.indicator), g.point);
        if (place.indicator2)
            next.setLit(QLatin1String(place.indicator2), g.point);
        if (g.point && label == QLatin1String("Label7"))
            remarkText = QStringLiteral("COMP:NG");
        if (g.point && label == QLatin1String("Label10"))
            remarkText = QStringLiteral("COMP:GOOD");
    }

    if (!m_dcMarked && !m_acMarked) {
        auto shows = [&next](const char *label, const char *glyph) {
            return next.isLit(QLatin1String(label)) &&
                   next.caption(QLatin1String(label)) == QLatin1String(glyph);
        };
        const bool label3Hidden = !next.isLit(QStringLiteral("Label3"));
        if (shows("Label7", "5") && label3Hidden)
            functionText = QStringLiteral("IR:500V 20G") + kOhm;
        if (shows("Label3", "1") && shows("Label7", "0"))
            functionText = QStringLiteral("IR:1000V 40G") + kOhm;
        if (shows("Label3", "2") && shows("Label7", "5"))
            functionText = QStringLiteral("IR:2500 100G") + kOhm;
        if (shows("Label3", "5") && shows("Label7", "0"))
            functionText = QStringLiteral("IR:5000V 1000G") + kOhm;
    }

    if (m_negative)
        readingValue.prepend(QLatin1Char('-'));

    Panel4->setState(next);

    for (const DigitPlace &place : kMainDigits) {
        if (next.isLit(QLatin1String(place.label))) {
            emit readingDecoded();
            INDataToTable(1);
            break;
        }
    }
}
