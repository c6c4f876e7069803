#include "virtualmetercable.h"

#include "virtualhidbus.h"

#include <QMutexLocker>

#include <algorithm>

VirtualMeterCable::VirtualMeterCable(const QString &serial)
    : VirtualHidDevice(VendorId, ProductId, QStringLiteral("USB HID Serial Cable"),
                       QStringLiteral("Virtual Devices"), serial)
{
    setInterface(0xFF00, 0x0001, 0, 0x0100);
}

std::shared_ptr<VirtualMeterCable> VirtualMeterCable::plugIn(const QString &serial)
{
    auto cable = std::make_shared<VirtualMeterCable>(serial);
    VirtualHidBus::instance().attach(cable);
    return cable;
}

QByteArray VirtualMeterCable::makeReport(const QByteArray &serialBytes)
{
    const int n = std::min(int(serialBytes.size()), MaxSerialBytes);
    QByteArray report(ReportSize, '\0');
    report[0] = char(n);
    std::copy_n(serialBytes.constData(), n, report.data() + 1);
    return report;
}

void VirtualMeterCable::setChunking(int maxBytesPerReport)
{
    QMutexLocker lock(&m_cableMutex);
    m_chunking = std::clamp(maxBytesPerReport, 1, int(MaxSerialBytes));
}

int VirtualMeterCable::chunking() const
{
    QMutexLocker lock(&m_cableMutex);
    return m_chunking;
}

void VirtualMeterCable::setReportInterval(std::chrono::microseconds interval)
{
    QMutexLocker lock(&m_cableMutex);
    m_interval = std::max(interval, std::chrono::microseconds(0));
}

std::chrono::microseconds VirtualMeterCable::reportInterval() const
{
    QMutexLocker lock(&m_cableMutex);
    return m_interval;
}

void VirtualMeterCable::queue(const QByteArray &report, int serialBytes)
{
    // Held across the push so reports of concurrent senders keep their arrival order.
    QMutexLocker lock(&m_cableMutex);
    const Clock::time_point now = Clock::now();
    Clock::time_point arrival = now;
    if (m_interval.count() > 0 && m_lastArrival != Clock::time_point{})
        arrival = std::max(now, m_lastArrival + m_interval);
    m_lastArrival = arrival;
    ++m_reports;
    m_serialBytes += serialBytes;
    pushInputReportAt(report, arrival);
}

void VirtualMeterCable::queuePieces(const QByteArray &bytes, int from, int to)
{
    const int chunk = chunking();
    while (from < to) {
        const int n = std::min(chunk, to - from);
        const QByteArray piece = bytes.mid(from, n);
        queue(makeReport(piece), n);
        from += n;
    }
}

void VirtualMeterCable::sendSerial(const QByteArray &bytes)
{
    queuePieces(bytes, 0, bytes.size());
}

void VirtualMeterCable::sendSerialSplit(const QByteArray &bytes, const QList<int> &cuts)
{
    int from = 0;
    for (int cut : cuts) {
        if (cut <= from || cut >= bytes.size())
            continue;
        queuePieces(bytes, from, cut);
        from = cut;
    }
    queuePieces(bytes, from, bytes.size());
}

void VirtualMeterCable::sendEmptyReport()
{
    queue(makeReport(QByteArray()), 0);
}

void VirtualMeterCable::sendRawReport(quint8 countByte, const QByteArray &payload)
{
    QByteArray report(ReportSize, '\0');
    report[0] = char(countByte);
    std::copy_n(payload.constData(), std::min(int(payload.size()), int(MaxSerialBytes)),
                report.data() + 1);
    queue(report, 0);
}

void VirtualMeterCable::sendRawBytes(const QByteArray &readResult)
{
    queue(readResult, 0);
}

qint64 VirtualMeterCable::reportsSent() const
{
    QMutexLocker lock(&m_cableMutex);
    return m_reports;
}

qint64 VirtualMeterCable::serialBytesSent() const
{
    QMutexLocker lock(&m_cableMutex);
    return m_serialBytes;
}
