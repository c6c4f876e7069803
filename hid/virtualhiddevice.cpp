#include "virtualhiddevice.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

#include <algorithm>
#include <cstring>

VirtualHidDevice::VirtualHidDevice(quint16 vendorId, quint16 productId, const QString &product,
                                   const QString &manufacturer, const QString &serial)
{
    m_record.vendorId = vendorId;
    m_record.productId = productId;
    m_record.product = product;
    m_record.manufacturer = manufacturer;
    m_record.serialNumber = serial;
    m_record.interfaceNumber = 0;
}

VirtualHidDevice::~VirtualHidDevice() = default;

HidDeviceRecord VirtualHidDevice::record() const
{
    QMutexLocker lock(&m_mutex);
    return m_record;
}

QByteArray VirtualHidDevice::path() const
{
    QMutexLocker lock(&m_mutex);
    return m_record.path;
}

void VirtualHidDevice::setInterface(quint16 usagePage, quint16 usage, int interfaceNumber,
                                    quint16 releaseNumber)
{
    QMutexLocker lock(&m_mutex);
    m_record.usagePage = usagePage;
    m_record.usage = usage;
    m_record.interfaceNumber = interfaceNumber;
    m_record.releaseNumber = releaseNumber;
}

void VirtualHidDevice::setPath(const QByteArray &path)
{
    QMutexLocker lock(&m_mutex);
    m_record.path = path;
}

void VirtualHidDevice::pushInputReport(const QByteArray &report)
{
    pushInputReportAt(report, Clock::now());
}

void VirtualHidDevice::pushInputReportAt(const QByteArray &report, Clock::time_point arrival)
{
    QMutexLocker lock(&m_mutex);
    // Reports keep the order they were pushed in: none arrives before its predecessor.
    if (!m_scheduled.empty())
        arrival = std::max(arrival, m_scheduled.back().arrival);
    m_scheduled.push_back({report, arrival});
    m_cond.wakeAll();
}

void VirtualHidDevice::injectReadError()
{
    QMutexLocker lock(&m_mutex);
    ++m_pendingErrors;
    m_cond.wakeAll();
}

int VirtualHidDevice::pendingInputReports() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_input.size() + m_scheduled.size());
}

qint64 VirtualHidDevice::deliveredInputReports() const
{
    QMutexLocker lock(&m_mutex);
    return m_delivered;
}

void VirtualHidDevice::setInputRingCapacity(int reports)
{
    QMutexLocker lock(&m_mutex);
    m_ringCapacity = std::max(0, reports);
}

int VirtualHidDevice::inputRingCapacity() const
{
    QMutexLocker lock(&m_mutex);
    return m_ringCapacity;
}

qint64 VirtualHidDevice::droppedInputReports() const
{
    QMutexLocker lock(&m_mutex);
    return m_dropped;
}

QList<QByteArray> VirtualHidDevice::writtenReports() const
{
    QMutexLocker lock(&m_mutex);
    return m_written;
}

QList<QByteArray> VirtualHidDevice::featureReports() const
{
    QMutexLocker lock(&m_mutex);
    return m_features;
}

bool VirtualHidDevice::waitForWrittenReports(int count, int milliseconds) const
{
    QDeadlineTimer deadline(milliseconds);
    QMutexLocker lock(&m_mutex);
    while (m_written.size() < count) {
        if (!m_out.wait(&m_mutex, deadline))
            return m_written.size() >= count;
    }
    return true;
}

void VirtualHidDevice::unplug()
{
    QMutexLocker lock(&m_mutex);
    m_plugged = false;
    m_cond.wakeAll();
}

bool VirtualHidDevice::isPlugged() const
{
    QMutexLocker lock(&m_mutex);
    return m_plugged;
}

void VirtualHidDevice::setRefuseOpen(bool refuse)
{
    QMutexLocker lock(&m_mutex);
    m_refuseOpen = refuse;
}

bool VirtualHidDevice::isOpen() const
{
    QMutexLocker lock(&m_mutex);
    return m_openCount > 0;
}

int VirtualHidDevice::openCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_openCount;
}

bool VirtualHidDevice::handleOpen()
{
    QMutexLocker lock(&m_mutex);
    if (!m_plugged) {
        m_lastError = QStringLiteral("device is not connected");
        return false;
    }
    if (m_refuseOpen) {
        m_lastError = QStringLiteral("permission denied");
        return false;
    }
    ++m_openCount;
    m_lastError.clear();
    return true;
}

void VirtualHidDevice::handleClose()
{
    QMutexLocker lock(&m_mutex);
    if (m_openCount > 0)
        --m_openCount;
}

void VirtualHidDevice::admitArrivedLocked(Clock::time_point now)
{
    while (!m_scheduled.empty() && m_scheduled.front().arrival <= now) {
        if (m_ringCapacity > 0 && int(m_input.size()) >= m_ringCapacity)
            ++m_dropped; // the ring is full: the newest report is lost
        else
            m_input.push_back(std::move(m_scheduled.front().bytes));
        m_scheduled.pop_front();
    }
}

int VirtualHidDevice::handleRead(unsigned char *data, size_t length, int milliseconds)
{
    aboutToRead();

    const bool blockForever = milliseconds < 0;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::milliseconds(std::max(0, milliseconds));

    QMutexLocker lock(&m_mutex);
    for (;;) {
        if (!m_plugged) {
            m_lastError = QStringLiteral("device disconnected");
            return -1;
        }
        if (m_pendingErrors > 0) {
            --m_pendingErrors;
            m_lastError = QStringLiteral("input/output error");
            return -1;
        }
        const Clock::time_point now = Clock::now();
        admitArrivedLocked(now);
        if (!m_input.empty()) {
            const QByteArray report = std::move(m_input.front());
            m_input.pop_front();
            ++m_delivered;
            const size_t n = std::min(length, size_t(report.size()));
            if (n > 0)
                std::memcpy(data, report.constData(), n);
            return int(n);
        }
        if (!blockForever && now >= deadline)
            return 0;

        // Sleep until the read's deadline or the next report's arrival, whichever
        // comes first; pushes, errors and unplugging wake us earlier.
        Clock::time_point wakeAt = blockForever ? Clock::time_point::max() : deadline;
        if (!m_scheduled.empty())
            wakeAt = std::min(wakeAt, m_scheduled.front().arrival);
        if (wakeAt == Clock::time_point::max()) {
            m_cond.wait(&m_mutex);
        } else {
            m_cond.wait(&m_mutex, QDeadlineTimer(wakeAt, Qt::PreciseTimer));
        }
    }
}

int VirtualHidDevice::handleWrite(const unsigned char *data, size_t length)
{
    QMutexLocker lock(&m_mutex);
    if (!m_plugged) {
        m_lastError = QStringLiteral("device disconnected");
        return -1;
    }
    if (length == 0 || data == nullptr) {
        m_lastError = QStringLiteral("empty output report");
        return -1;
    }
    m_written.append(QByteArray(reinterpret_cast<const char *>(data), int(length)));
    m_out.wakeAll();
    return int(length);
}

int VirtualHidDevice::handleFeatureReport(const unsigned char *data, size_t length)
{
    QMutexLocker lock(&m_mutex);
    if (!m_plugged) {
        m_lastError = QStringLiteral("device disconnected");
        return -1;
    }
    if (length == 0 || data == nullptr) {
        m_lastError = QStringLiteral("empty feature report");
        return -1;
    }
    m_features.append(QByteArray(reinterpret_cast<const char *>(data), int(length)));
    return int(length);
}

QString VirtualHidDevice::lastError() const
{
    QMutexLocker lock(&m_mutex);
    return m_lastError;
}
