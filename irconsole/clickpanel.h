#ifndef CLICKPANEL_H
#define CLICKPANEL_H

// A raised panel with a caption that acts as a button: a click with the left
// mouse button emits clicked().

#include <QColor>
#include <QLabel>

class ClickPanel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickPanel(const QString &caption, QWidget *parent = nullptr);

    void setFontColor(const QColor &color);
    QColor fontColor() const { return m_fontColor; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor m_fontColor = Qt::black;
    bool m_pressed = false;
};

#endif // CLICKPANEL_H
