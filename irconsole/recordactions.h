#ifndef RECORDACTIONS_H
#define RECORDACTIONS_H

#include <QObject>
#include <QString>

class ConsoleDialogs;
class ReadingChart;
class ReadingRecorder;
class ReadingTable;

// The file, clear and print actions of the recording side. Each call runs
// one handler of the form from start to end, asking the user through the
// dialogs hook.
class RecordActions : public QObject
{
    Q_OBJECT
public:
    // Filters of the save and open dialogs.
    static const char SaveFilter[];
    static const char OpenFilter[];
    static const char ClearWarning[];

    RecordActions(ReadingTable *table, ReadingRecorder *recorder, ConsoleDialogs *dialogs,
                  QObject *parent = nullptr);

    // The chart that New empties (may be left unset).
    void setChart(ReadingChart *chart) { m_chart = chart; }

    // Whether a file name is written as XML data packet (".xml", any case).
    static bool isXmlName(const QString &fileName);

    // Asks, then empties the table and restarts the numbering. Returns
    // false when the user kept the records.
    bool clearAll();
    // Asks, then empties the chart and the table.
    bool newSession();
    // Save and open through the file dialog. Return whether a file was
    // written or read without error.
    bool saveAs();
    bool saveTo(const QString &fileName);
    bool open();
    bool openFrom(const QString &fileName);
    // Opens the print preview of the data report.
    void print();

signals:
    // The form repaints after saving, loading and printing.
    void repaintRequested();

private:
    ReadingTable *m_table;
    ReadingRecorder *m_recorder;
    ConsoleDialogs *m_dialogs;
    ReadingChart *m_chart = nullptr;
};

#endif // RECORDACTIONS_H
