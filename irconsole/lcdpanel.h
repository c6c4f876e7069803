#ifndef LCDPANEL_H
#define LCDPANEL_H

// The emulated tester display. Every segment, point, bar, annunciator and
// image indicator is painted with vector shapes from an LcdState, in a fixed
// 615 x 289 logical layout scaled to the widget, so it stays crisp at any
// size. setState() swaps in a complete state and schedules one repaint.

#include "lcdstate.h"

#include <QRectF>
#include <QWidget>

class QPainter;

class LcdPanel : public QWidget
{
    Q_OBJECT
public:
    explicit LcdPanel(QWidget *parent = nullptr);

    static constexpr int kLogicalWidth = 615;
    static constexpr int kLogicalHeight = 289;

    const LcdState &state() const { return m_state; }
    void setState(const LcdState &state);

    // Group frames in logical coordinates, as the display lays them out.
    static QRectF mainReadingRect() { return {202, 156, 311, 101}; }
    static QRectF testVoltageRect() { return {230, 104, 189, 49}; }
    static QRectF memoryRect() { return {6, 116, 103, 47}; }
    static QRectF timerRect() { return {4, 182, 187, 71}; }
    static QRectF barGraphRect() { return {10, 40, 575, 63}; }

    int paintCount() const { return m_paintCount; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool lit(const char *name) const;
    void paintBarGraph(QPainter &p);
    void paintMainReading(QPainter &p);
    void paintTestVoltage(QPainter &p);
    void paintMemory(QPainter &p);
    void paintTimer(QPainter &p);
    void paintAnnunciators(QPainter &p);
    void paintImages(QPainter &p);
    void paintDigit(QPainter &p, const QRectF &r, const char *name);

    LcdState m_state;
    int m_paintCount = 0;
};

#endif // LCDPANEL_H
