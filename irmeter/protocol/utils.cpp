#include "utils.h"

#include <QCoreApplication>
#include <QDateTime>

int Utils::getCheckSum(char *data, int len)
{
    if (!data || len <= 0)
        return 0;
    const auto *p = reinterpret_cast<const uchar *>(data);
    // Unsigned accumulation: wraps instead of overflowing on huge spans, and
    // the low 16 bits that callers keep stay exact.
    quint32 sum = 0;
    for (int i = 0; i < len; ++i)
        sum += p[i];
    return int(sum);
}

void Utils::delayMs(uint ms, uint sliceMs)
{
    const QDateTime end = QDateTime::currentDateTime().addMSecs(qint64(ms));
    while (QDateTime::currentDateTime() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents, int(sliceMs));
}
