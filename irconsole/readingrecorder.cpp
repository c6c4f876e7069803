#include "readingrecorder.h"

#include "readingtable.h"

#include <limits>

ReadingRecorder::ReadingRecorder(ReadingTable *table, QObject *parent)
    : QObject(parent), m_table(table), m_clock([] { return QTime::currentTime(); })
{}

int ReadingRecorder::intervalSeconds(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("-") || t == QLatin1String("+"))
        return 0;
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (ok)
        return n < 0 ? 0 : int(qMin<qlonglong>(n, std::numeric_limits<int>::max()));
    // Only digits reach here from the edit; a run of digits too long for a
    // number still means "very long".
    for (const QChar c : t) {
        if (!c.isDigit())
            return 0;
    }
    return std::numeric_limits<int>::max();
}

bool ReadingRecorder::record(const ConsoleReading &reading)
{
    if (m_recordLimit < m_recordCounter)
        return false;
    if (m_intervalEnabled && m_intervalCountdown != 0)
        return false;
    if (!m_repeat && reading.value == m_lastRecordedValue)
        return false;
    m_intervalCountdown = intervalSeconds(m_intervalText);

    ReadingRecord r;
    r.value = reading.value;
    r.time = m_clock();
    r.hasNo = true;
    r.no = m_recordCounter;
    r.vRange = reading.function;
    r.iRange = reading.remark;
    r.unit = reading.unit;
    if (m_table)
        m_table->append(r);

    const int no = m_recordCounter;
    ++m_recordCounter;
    m_lastRecordedValue = reading.value;
    emit recorded(no, reading.value);
    return true;
}

void ReadingRecorder::tick()
{
    if (m_intervalEnabled && m_intervalCountdown > 0)
        --m_intervalCountdown;
}

void ReadingRecorder::setIntervalText(const QString &text)
{
    m_intervalText = text;
    m_intervalCountdown = intervalSeconds(text);
}
