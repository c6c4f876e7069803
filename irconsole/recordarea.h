#ifndef RECORDAREA_H
#define RECORDAREA_H

#include <QObject>

class ConsoleDialogs;
class ConsoleMenus;
class QMenu;
class QTimer;
class QWidget;
class ReadingChart;
class ReadingGrid;
class ReadingRecorder;
class ReadingTable;
class RecordActions;
class RecordBar;

// Builds the record side of the main form into the places the form keeps
// for it: the record bar, the grid, the chart with its bar, the File and
// Record menus and the one-second sampling timer. It links the parts that
// only talk to each other (switches to the recorder, recorded readings to
// the chart, the limit items to the recorder); the form connects buttons,
// menu items and the timer to its own handlers.
class RecordArea : public QObject
{
    Q_OBJECT
public:
    struct Places
    {
        QWidget *form = nullptr;      // the window (enlarging uses its size)
        QWidget *surface = nullptr;   // the scrolled content the chart lies on
        QWidget *recordBar = nullptr; // the record bar fills this
        QWidget *grid = nullptr;      // the grid fills this
        QWidget *chart = nullptr;     // the chart takes its place and geometry
        QWidget *chartBar = nullptr;  // the chart's bar fills this
        QMenu *fileMenu = nullptr;
        QMenu *recordMenu = nullptr;
    };

    explicit RecordArea(const Places &places, QObject *parent = nullptr);
    ~RecordArea() override;

    ConsoleDialogs *dialogs() const { return m_dialogs; }
    ReadingTable *table() const { return m_table; }
    ReadingRecorder *recorder() const { return m_recorder; }
    RecordActions *actions() const { return m_actions; }
    RecordBar *recordBar() const { return m_recordBar; }
    ReadingGrid *grid() const { return m_grid; }
    ReadingChart *chart() const { return m_chart; }
    ConsoleMenus *menus() const { return m_menus; }
    QTimer *sampInterTime() const { return m_sampInterTime; }

private:
    ConsoleDialogs *m_dialogs;
    ReadingTable *m_table;
    ReadingRecorder *m_recorder;
    RecordActions *m_actions;
    RecordBar *m_recordBar = nullptr;
    ReadingGrid *m_grid = nullptr;
    ReadingChart *m_chart = nullptr;
    ConsoleMenus *m_menus = nullptr;
    QTimer *m_sampInterTime;
};

#endif // RECORDAREA_H
