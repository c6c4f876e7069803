#include "virtualhidbus.h"

#include <QMutexLocker>

VirtualHidBus &VirtualHidBus::instance()
{
    static VirtualHidBus bus;
    return bus;
}

QByteArray VirtualHidBus::attach(std::shared_ptr<VirtualHidDevice> device)
{
    if (!device)
        return QByteArray();
    QMutexLocker lock(&m_mutex);
    const QByteArray path =
        QByteArray(HidLayer::virtualPathPrefix()) + QByteArray::number(m_next++);
    device->setPath(path);
    m_devices.append(std::move(device));
    return path;
}

void VirtualHidBus::detach(const QByteArray &path)
{
    std::shared_ptr<VirtualHidDevice> gone;
    {
        QMutexLocker lock(&m_mutex);
        for (int i = 0; i < m_devices.size(); ++i) {
            if (m_devices.at(i)->path() == path) {
                gone = m_devices.takeAt(i);
                break;
            }
        }
    }
    if (gone)
        gone->unplug(); // outside the bus lock: the device takes its own
}

void VirtualHidBus::detachAll()
{
    QList<std::shared_ptr<VirtualHidDevice>> gone;
    {
        QMutexLocker lock(&m_mutex);
        gone.swap(m_devices);
    }
    for (const auto &device : gone)
        device->unplug();
}

std::shared_ptr<VirtualHidDevice> VirtualHidBus::find(const QByteArray &path) const
{
    QMutexLocker lock(&m_mutex);
    for (const auto &device : m_devices) {
        if (device->path() == path && device->isPlugged())
            return device;
    }
    return nullptr;
}

QList<std::shared_ptr<VirtualHidDevice>> VirtualHidBus::devices() const
{
    QList<std::shared_ptr<VirtualHidDevice>> plugged;
    QMutexLocker lock(&m_mutex);
    for (const auto &device : m_devices) {
        if (device->isPlugged())
            plugged.append(device);
    }
    return plugged;
}
