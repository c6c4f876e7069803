#include "hiddevice.h"

#include "hidreaderthread.h"

#include <QDebug>

HidDevice::HidDevice(const HidDeviceRecord &record, QObject *parent)
    : QObject(parent), m_record(record)
{}

HidDevice::~HidDevice()
{
    shutdown();
}

bool HidDevice::hasReadWriteAccess()
{
    if (m_handle)
        return true;
    m_handle = HidLayer::openPath(m_record.path);
    if (!m_handle) {
        m_lastError = HidLayer::error(nullptr);
        qWarning() << "HidDevice: cannot open" << m_record.path << m_lastError;
        return false;
    }
    return true;
}

bool HidDevice::setFeature(const QByteArray &report)
{
    if (report.isEmpty() || !hasReadWriteAccess())
        return false;
    const int n = HidLayer::sendFeatureReport(
        m_handle, reinterpret_cast<const unsigned char *>(report.constData()),
        static_cast<size_t>(report.size()));
    if (n < 0) {
        m_lastError = HidLayer::error(m_handle);
        qWarning() << "HidDevice: set feature failed on" << m_record.path << m_lastError;
        return false;
    }
    return true;
}

void HidDevice::setOnData(DataHandler handler)
{
    if (!handler) {
        stopReader();
        m_onData = nullptr;
        return;
    }
    m_onData = std::move(handler);
    if (m_reader || !hasReadWriteAccess())
        return;
    m_reader = new HidReaderThread(this, m_handle);
    m_reader->start();
}

void HidDevice::stopReader()
{
    if (!m_reader)
        return;
    HidReaderThread *reader = m_reader;
    m_reader = nullptr;
    reader->stop();
    delete reader;
}

void HidDevice::shutdown()
{
    stopReader();
    m_onData = nullptr;
    if (m_handle) {
        HidLayer::close(m_handle);
        m_handle = nullptr;
    }
}

void HidDevice::release()
{
    shutdown();
    if (m_delivering > 0)
        m_releasePending = true;
    else
        deleteLater();
}

void HidDevice::deliverReport(quint8 reportId, const QByteArray &data)
{
    if (!m_onData)
        return;
    // Keep a copy: the handler may detach itself while it runs.
    const DataHandler handler = m_onData;
    ++m_delivering;
    handler(this, reportId, data);
    --m_delivering;
    if (m_delivering == 0 && m_releasePending)
        deleteLater();
}

void HidDevice::reportDataError(int code, const QString &message)
{
    emit dataError(this, code, message);
}
