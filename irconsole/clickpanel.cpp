#include "clickpanel.h"

#include <QMouseEvent>

ClickPanel::ClickPanel(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    setFontColor(Qt::black);
}

void ClickPanel::setFontColor(const QColor &color)
{
    m_fontColor = color;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void ClickPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        setFrameShadow(QFrame::Sunken);
    }
    QLabel::mousePressEvent(event);
}

void ClickPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    setFrameShadow(QFrame::Raised);
    QLabel::mouseReleaseEvent(event);
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->pos()))
        emit clicked();
}
