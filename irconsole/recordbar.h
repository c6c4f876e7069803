#ifndef RECORDBAR_H
#define RECORDBAR_H

#include <QFrame>

class QCheckBox;
class QLineEdit;
class QToolButton;

// The silver bar between the display and the grid: the Repeat switch, the
// sampling interval with its seconds, and the Save, Delete, Open and Print
// buttons.
class RecordBar : public QFrame
{
    Q_OBJECT
public:
    static constexpr int BarWidth = 617;
    static constexpr int BarHeight = 27;

    explicit RecordBar(QWidget *parent = nullptr);

    QCheckBox *repeatSet() const { return m_repeatSet; }
    QCheckBox *recordSI() const { return m_recordSI; }
    QLineEdit *recordSITime() const { return m_recordSITime; }
    QToolButton *saveButton() const { return m_save; }
    QToolButton *deleteButton() const { return m_delete; }
    QToolButton *openButton() const { return m_open; }
    QToolButton *printButton() const { return m_print; }

private:
    QCheckBox *m_repeatSet;
    QCheckBox *m_recordSI;
    QLineEdit *m_recordSITime;
    QToolButton *m_save;
    QToolButton *m_delete;
    QToolButton *m_open;
    QToolButton *m_print;
};

#endif // RECORDBAR_H
