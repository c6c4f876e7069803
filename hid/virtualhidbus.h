#ifndef VIRTUALHIDBUS_H
#define VIRTUALHIDBUS_H

// The registry of virtual HID devices in this process. Attaching gives a
// device a path under HidLayer::virtualPathPrefix() that can never clash with
// a real device path. Real hidapi devices are unaffected.

#include "virtualhiddevice.h"

#include <QList>
#include <QMutex>

#include <memory>

class VirtualHidBus
{
public:
    static VirtualHidBus &instance();

    // Registers the device and returns its new path ("virtual-hid:N").
    QByteArray attach(std::shared_ptr<VirtualHidDevice> device);
    // Removes the device (as unplugging it); open handles then fail.
    void detach(const QByteArray &path);
    void detachAll();

    std::shared_ptr<VirtualHidDevice> find(const QByteArray &path) const;
    QList<std::shared_ptr<VirtualHidDevice>> devices() const; // plugged ones, attach order

private:
    VirtualHidBus() = default;
    mutable QMutex m_mutex;
    QList<std::shared_ptr<VirtualHidDevice>> m_devices;
    int m_next = 1;
};

#endif // VIRTUALHIDBUS_H
