#ifndef READINGRECORDER_H
#define READINGRECORDER_H

#include <QObject>
#include <QString>
#include <QTime>
#include <functional>

class ReadingTable;

// The reading the display shows at the moment, as the recorder stores it.
struct ConsoleReading
{
    QString value;
    QString unit;
    QString function;
    QString remark;
};

// Decides which readings go into the table: the record limit, the sampling
// interval counted down by a one-second timer, and the suppression of a
// repeated value. The form's handlers call into it.
class ReadingRecorder : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultLimit = 10000;
    static constexpr int Limitless = 10000000;

    explicit ReadingRecorder(ReadingTable *table, QObject *parent = nullptr);

    ReadingTable *table() const { return m_table; }

    // Clock used for the Time field; tests replace it.
    void setClock(std::function<QTime()> clock) { m_clock = std::move(clock); }

    int recordCounter() const { return m_recordCounter; }
    int recordLimit() const { return m_recordLimit; }
    void setRecordLimit(int limit) { m_recordLimit = limit; }
    QString lastRecordedValue() const { return m_lastRecordedValue; }
    int intervalCountdown() const { return m_intervalCountdown; }

    bool repeat() const { return m_repeat; }
    void setRepeat(bool on) { m_repeat = on; }
    bool intervalEnabled() const { return m_intervalEnabled; }
    void setIntervalEnabled(bool on) { m_intervalEnabled = on; }
    QString intervalText() const { return m_intervalText; }

    // Seconds held by the interval text: 0 for "", "-", "+" or anything that
    // is not a number; very large numbers are held at the largest int.
    static int intervalSeconds(const QString &text);

    // Records the reading if the rules allow it; returns whether it did.
    bool record(const ConsoleReading &reading);
    // One tick of the one-second timer.
    void tick();
    // The interval text changed: the countdown restarts from it at once.
    void setIntervalText(const QString &text);
    // The table was emptied: numbering starts again at 1.
    void resetCounter() { m_recordCounter = 1; }

signals:
    // A reading was appended to the table under number no.
    void recorded(int no, const QString &value);

private:
    ReadingTable *m_table;
    std::function<QTime()> m_clock;
    int m_recordCounter = 1;
    int m_recordLimit = DefaultLimit;
    QString m_lastRecordedValue;
    int m_intervalCountdown = 0;
    bool m_repeat = true;
    bool m_intervalEnabled = false;
    QString m_intervalText = QStringLiteral("10");
};

#endif // READINGRECORDER_H
