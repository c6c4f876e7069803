#include "lcdpanel.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kInk(20, 20, 20);
const QChar kOhm(0x03A9);

enum Segment { SegA = 1, SegB = 2, SegC = 4, SegD = 8, SegE = 16, SegF = 32, SegG = 64 };

int segmentsOf(QChar glyph)
{
    switch (glyph.toLatin1()) {
    case '0':
        return SegA | SegB | SegC | SegD | SegE | SegF;
    case '1':
        return SegB | SegC;
    case '2':
        return SegA | SegB | SegG | SegE | SegD;
    case '3':
        return SegA | SegB | SegG | SegC | SegD;
    case '4':
        return SegF | SegG | SegB | SegC;
    case '5':
        return SegA | SegF | SegG | SegC | SegD;
    case '6':
        return SegA | SegF | SegG | SegE | SegC | SegD;
    case '7':
        return SegA | SegB | SegC;
    case '8':
        return SegA | SegB | SegC | SegD | SegE | SegF | SegG;
    case '9':
        return SegA | SegB | SegC | SegD | SegF | SegG;
    case '@':
        return SegE | SegF | SegD; // the "L" of an over-range reading
    case '-':
        return SegG;
    default:
        return 0;
    }
}

// A horizontal or vertical segment with pointed ends.
QPolygonF segmentShape(QPointF from, QPointF to, qreal t)
{
    const qreal h = t / 2;
    QPolygonF poly;
    if (qFuzzyCompare(from.y(), to.y())) {
        poly << QPointF(from.x(), from.y()) << QPointF(from.x() + h, from.y() - h)
             << QPointF(to.x() - h, to.y() - h) << QPointF(to.x(), to.y())
             << QPointF(to.x() - h, to.y() + h) << QPointF(from.x() + h, from.y() + h);
    } else {
        poly << QPointF(from.x(), from.y()) << QPointF(from.x() + h, from.y() + h)
             << QPointF(to.x() + h, to.y() - h) << QPointF(to.x(), to.y())
             << QPointF(to.x() - h, to.y() - h) << QPointF(from.x() - h, from.y() + h);
    }
    return poly;
}

void drawSevenSegment(QPainter &p, const QRectF &r, int segments)
{
    const qreal t = qMax<qreal>(2.0, r.width() * 0.17);
    const qreal g = t * 0.12; // gap between neighbouring segments
    const qreal left = r.left() + t / 2, right = r.right() - t / 2;
    const qreal top = r.top() + t / 2, bottom = r.bottom() - t / 2;
    const qreal mid = (top + bottom) / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    if (segments & SegA)
        p.drawPolygon(segmentShape({left + g, top}, {right - g, top}, t));
    if (segments & SegG)
        p.drawPolygon(segmentShape({left + g, mid}, {right - g, mid}, t));
    if (segments & SegD)
        p.drawPolygon(segmentShape({left + g, bottom}, {right - g, bottom}, t));
    if (segments & SegF)
        p.drawPolygon(segmentShape({left, top + g}, {left, mid - g}, t));
    if (segments & SegB)
        p.drawPolygon(segmentShape({right, top + g}, {right, mid - g}, t));
    if (segments & SegE)
        p.drawPolygon(segmentShape({left, mid + g}, {left, bottom - g}, t));
    if (segments & SegC)
        p.drawPolygon(segmentShape({right, mid + g}, {right, bottom - g}, t));
}

void drawText(QPainter &p, const QRectF &r, const QString &text, qreal pixelSize, bool bold = true,
              int flags = Qt::AlignLeft | Qt::AlignVCenter)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(bold);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(r, flags, text);
}

void drawDot(QPainter &p, QPointF centre, qreal size)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(centre.x() - size / 2, centre.y() - size / 2, size, size));
}

} // namespace

LcdPanel::LcdPanel(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LcdPanel::setState(const LcdState &state)
{
    if (state == m_state)
        return;
    m_state = state;
    update();
}

bool LcdPanel::lit(const char *name) const
{
    return m_state.isLit(QLatin1String(name));
}

void LcdPanel::paintEvent(QPaintEvent *)
{
    ++m_paintCount;
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(width() / qreal(kLogicalWidth), height() / qreal(kLogicalHeight));
    paintImages(p);
    paintAnnunciators(p);
    if (lit("KD"))
        paintBarGraph(p);
    paintMemory(p);
    paintTestVoltage(p);
    paintTimer(p);
    paintMainReading(p);
}

void LcdPanel::paintDigit(QPainter &p, const QRectF &r, const char *name)
{
    const QString key = QLatin1String(name);
    if (!m_state.isLit(key))
        return;
    const QString caption = m_state.caption(key);
    if (caption.isEmpty())
        return;
    drawSevenSegment(p, r, segmentsOf(caption.at(0)));
}

void LcdPanel::paintBarGraph(QPainter &p)
{
    const QRectF kd = barGraphRect();
    static const char *const scale[] = {"0",  "100K", "1M",   "10M", "100M",
                                        "1G", "10G",  "100G", "1T",  "~"};
    const qreal step = (kd.width() - 20) / 31.0;
    const qreal x0 = kd.left() + 10;
    // The fixed scale: texts, baseline and ticks.
    for (int i = 0; i < 10; ++i) {
        const qreal x = x0 + i * step * 31.0 / 9.5;
        drawText(p, QRectF(x - 20, kd.top(), 40, 14), QLatin1String(scale[i]), 11, true,
                 Qt::AlignHCenter | Qt::AlignVCenter);
        p.setPen(QPen(kInk, 1.2));
        p.drawLine(QPointF(x, kd.top() + 15), QPointF(x, kd.top() + 22));
    }
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(x0, kd.top() + 22), QPointF(kd.right() - 10, kd.top() + 22));
    for (int i = 0; i < 31; ++i) {
        const QString name = i == 0   ? QStringLiteral("Bar0")
                             : i == 1 ? QStringLiteral("BAR1")
                                      : QStringLiteral("bar%1").arg(i);
        if (!m_state.isLit(name))
            continue;
        const qreal x = x0 + i * step + 2;
        const QRectF bar(x, kd.top() + 27, step - 5, kd.height() - 31);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        if (i == 0) {
            // The first bar carries a foot on the baseline side.
            p.drawRect(bar.adjusted(bar.width() / 3, 0, 0, 0));
            p.drawRect(QRectF(bar.left(), bar.bottom() - 4, bar.width(), 4));
        } else if (i == 30) {
            // The last bar ends in a point: readings beyond the scale.
            QPolygonF poly;
            poly << bar.topLeft() << QPointF(bar.right(), bar.center().y()) << bar.bottomLeft();
            p.drawPolygon(poly);
        } else {
            p.drawRect(bar);
        }
    }
}

void LcdPanel::paintMainReading(QPainter &p)
{
    const QRectF box = mainReadingRect();
    if (lit("LabelF"))
        drawSevenSegment(p, QRectF(box.left() + 4, box.top() + 4, 30, box.height() - 8), SegG);
    static const char *const digits[] = {"LabelA", "LabelB", "LabelC", "LabelD"};
    static const char *const points[] = {"Point1", "Point2", "Point3"};
    for (int i = 0; i < 4; ++i) {
        const QRectF r(box.left() + 42 + i * 68, box.top() + 4, 54, box.height() - 8);
        paintDigit(p, r, digits[i]);
        if (i < 3 && lit(points[i]))
            drawDot(p, QPointF(r.right() + 7, r.bottom() - 4), 8);
    }
    // The unit column to the right of the reading.
    const qreal x = box.right() + 6;
    const struct
    {
        const char *name;
        QString text;
    } units[] = {{"Labv", QStringLiteral("V")},
                 {"Labo", QString(kOhm)},
                 {"Labmo1", QStringLiteral("M") + kOhm},
                 {"Labgo1", QStringLiteral("G") + kOhm},
                 {"Labto", QStringLiteral("T") + kOhm}};
    for (int i = 0; i < 5; ++i) {
        if (lit(units[i].name))
            drawText(p, QRectF(x, box.top() + i * 20, 90, 20), units[i].text, 18);
    }
}

void LcdPanel::paintTestVoltage(QPainter &p)
{
    const QRectF box = testVoltageRect();
    static const char *const digits[] = {"Label3", "Label7", "Label10", "Label9"};
    for (int i = 0; i < 4; ++i)
        paintDigit(p, QRectF(box.left() + 6 + i * 36, box.top() + 4, 28, box.height() - 8),
                   digits[i]);
    if (lit("Label4"))
        drawText(p, QRectF(box.left() + 152, box.top() + 4, 36, box.height() - 8),
                 QStringLiteral("V"), 30);
}

void LcdPanel::paintMemory(QPainter &p)
{
    const QRectF box = memoryRect();
    const QRectF first(box.left() + 4, box.top() + 4, 22, box.height() - 8);
    if (lit("stor1"))
        drawSevenSegment(p, first, segmentsOf(QLatin1Char('1')));
    paintDigit(p, first.translated(26, 0), "stor2");
    if (lit("LabFUL"))
        drawText(p, QRectF(box.left() + 58, box.top() + 2, 44, 20), QStringLiteral("FUL"), 14);
    if (lit("Labclr"))
        drawText(p, QRectF(box.left() + 58, box.top() + 24, 44, 20), QStringLiteral("CLR"), 14);
}

void LcdPanel::paintTimer(QPainter &p)
{
    const QRectF box = timerRect();
    const qreal top = box.top() + 3, h = 44;
    paintDigit(p, QRectF(box.left() + 4, top, 26, h), "H_Time1");
    paintDigit(p, QRectF(box.left() + 34, top, 26, h), "H_Time2");
    if (lit("T_dPoint1")) {
        drawDot(p, QPointF(box.left() + 68, top + h * 0.3), 5);
        drawDot(p, QPointF(box.left() + 68, top + h * 0.7), 5);
    }
    paintDigit(p, QRectF(box.left() + 76, top, 26, h), "M_Time1");
    paintDigit(p, QRectF(box.left() + 106, top, 26, h), "M_Time2");
    if (lit("Labtime"))
        drawText(p, QRectF(box.left() + 2, top + h + 4, 140, 18), QStringLiteral(" min : sec"), 13,
                 false);
    if (lit("labmo"))
        drawText(p, QRectF(box.left() + 140, top + 2, 46, 20), QStringLiteral("M") + kOhm, 15);
    if (lit("Labgo"))
        drawText(p, QRectF(box.left() + 140, top + 24, 46, 20), QStringLiteral("G") + kOhm, 15);
}

void LcdPanel::paintAnnunciators(QPainter &p)
{
    // Top row, left to right, after the battery gauge and the power sign.
    if (lit("labs1"))
        drawText(p, QRectF(84, 6, 26, 24), QStringLiteral("S1 "), 15);
    if (lit("labs2"))
        drawText(p, QRectF(112, 6, 26, 24), QStringLiteral("S2"), 15);
    if (lit("labs3"))
        drawText(p, QRectF(140, 6, 26, 24), QStringLiteral("S3"), 15);
    if (lit("labdc"))
        drawText(p, QRectF(176, 6, 30, 24), QStringLiteral("DC"), 15);
    // The DC sign: a solid line over three dashes.
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    if (lit("Shape1"))
        p.drawRect(QRectF(208, 11, 24, 3));
    if (lit("Shape2"))
        p.drawRect(QRectF(208, 19, 6, 3));
    if (lit("Shape3"))
        p.drawRect(QRectF(217, 19, 6, 3));
    if (lit("Shape4"))
        p.drawRect(QRectF(226, 19, 6, 3));
    if (lit("labt"))
        drawText(p, QRectF(242, 4, 18, 24), QStringLiteral("~"), 22);
    if (lit("labac"))
        drawText(p, QRectF(260, 6, 30, 24), QStringLiteral("AC"), 15);
    if (lit("labCOMP"))
        drawText(p, QRectF(380, 6, 56, 24), QStringLiteral("COMP"), 15);
    if (lit("labp1"))
        drawText(p, QRectF(440, 6, 30, 24), QStringLiteral("PI"), 15);
    // Beside the test voltage.
    if (lit("Labng"))
        drawText(p, QRectF(430, 108, 36, 22), QStringLiteral("NG"), 17);
    if (lit("Labgood"))
        drawText(p, QRectF(470, 108, 60, 22), QStringLiteral("GOOD"), 17);
    // Bottom row.
    if (lit("labTIME1"))
        drawText(p, QRectF(10, 262, 56, 22), QStringLiteral("Time1"), 15);
    if (lit("labtime2"))
        drawText(p, QRectF(72, 262, 56, 22), QStringLiteral("Time2"), 15);
    if (lit("labsave"))
        drawText(p, QRectF(230, 262, 56, 22), QStringLiteral("SAVE"), 15);
    if (lit("labLoad"))
        drawText(p, QRectF(300, 262, 56, 22), QStringLiteral("LOAD"), 15);
}

void LcdPanel::paintImages(QPainter &p)
{
    // Battery gauge with three level bars.
    if (lit("IGPower")) {
        p.setPen(QPen(kInk, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(12, 10, 38, 18));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRect(QRectF(50, 15, 4, 8));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    if (lit("powerV1"))
        p.drawRect(QRectF(15, 13, 9, 12));
    if (lit("powerv2"))
        p.drawRect(QRectF(26, 13, 9, 12));
    if (lit("powerv3"))
        p.drawRect(QRectF(37, 13, 9, 12));
    // Lightning sign left of "S1".
    if (lit("power")) {
        QPolygonF bolt;
        bolt << QPointF(70, 6) << QPointF(62, 19) << QPointF(68, 19) << QPointF(64, 30)
             << QPointF(76, 15) << QPointF(70, 15) << QPointF(74, 6);
        p.drawPolygon(bolt);
    }
    // Auto power-off: a power symbol.
    if (lit("IMoff")) {
        p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(300, 9, 18, 18), 120 * 16, 300 * 16);
        p.drawLine(QPointF(309, 6), QPointF(309, 17));
    }
    // Buzzer.
    if (lit("IMmike")) {
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        QPolygonF speaker;
        speaker << QPointF(330, 14) << QPointF(335, 14) << QPointF(342, 8) << QPointF(342, 28)
                << QPointF(335, 22) << QPointF(330, 22);
        p.drawPolygon(speaker);
        p.setPen(QPen(kInk, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(340, 11, 10, 14), -60 * 16, 120 * 16);
        p.drawArc(QRectF(340, 7, 16, 22), -60 * 16, 120 * 16);
    }
    // High-voltage warning beside the test voltage.
    if (lit("danger")) {
        p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        QPolygonF tri;
        tri << QPointF(213, 108) << QPointF(226, 134) << QPointF(200, 134);
        p.drawPolygon(tri);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        QPolygonF bolt;
        bolt << QPointF(215, 114) << QPointF(209, 124) << QPointF(213, 124) << QPointF(211, 131)
             << QPointF(218, 121) << QPointF(214, 121) << QPointF(217, 114);
        p.drawPolygon(bolt);
    }
    // Link activity: green while frames arrive, grey otherwise.
    if (lit("CONok")) {
        p.setPen(QPen(QColor(0, 90, 0), 1));
        p.setBrush(QColor(30, 190, 60));
        p.drawEllipse(QRectF(540, 9, 16, 16));
    }
    if (lit("CONokN")) {
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QColor(200, 200, 200));
        p.drawEllipse(QRectF(540, 9, 16, 16));
    }
    if (lit("rsUSB"))
        drawText(p, QRectF(562, 6, 46, 24), QStringLiteral("USB"), 14);
}
