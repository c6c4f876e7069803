#include "hiddevice.h"

#include "hiddevicep.h"

#include <QThread>

HIDDevice::HIDDevice(QObject *parent)
    : QObject(parent), thread(new QThread(nullptr)), worker(new HIDDeviceP(nullptr))
{
    thread->setObjectName(QStringLiteral("HIDReader"));
    connect(this, &HIDDevice::startRead, worker, &HIDDeviceP::doRead);
    // The bytes cross threads as a QByteArray, which keeps its own copy alive
    // until this object has relayed it; see slotReportBytes().
    connect(worker, &HIDDeviceP::readyReadBytes, this, &HIDDevice::slotReportBytes);
    connect(worker, &HIDDeviceP::deviceLost, this, &HIDDevice::slotDeviceLost);
    worker->moveToThread(thread);
}

HIDDevice::~HIDDevice()
{
    close();
    delete worker;
    delete thread;
}

QList<HIDDevInfo> HIDDevice::enumerate(ushort vendorId, ushort productId)
{
    return HIDDeviceP::enumerate(vendorId, productId);
}

bool HIDDevice::open(const QString &path)
{
    if (!worker->open(path))
        return false;
    return started();
}

bool HIDDevice::open(ushort vendorId, ushort productId)
{
    if (!worker->open(vendorId, productId))
        return false;
    return started();
}

bool HIDDevice::started()
{
    thread->start();
    emit startRead();
    emit opened();
    return true;
}

void HIDDevice::close()
{
    worker->close();
    thread->quit();
    thread->wait();
    // The reader thread has ended: if its loop never ran, the handle is still ours to close.
    worker->releaseHandle();
    emit closed();
}

bool HIDDevice::isOpen() const
{
    return worker->isOpened();
}

void HIDDevice::addCommand(QSharedPointer<Command> cmd, Pump::PoolMode mode)
{
    worker->addCommand(cmd, mode);
}

void HIDDevice::slotReportBytes(const QByteArray &data)
{
    // A private copy stays alive for the whole emission, so direct receivers
    // may read it (even write to it) without touching the shared bytes.
    QByteArray own(data);
    emit readyRead(reinterpret_cast<unsigned char *>(own.data()), uint(own.size()));
    emit readyReadBytes(data);
}

void HIDDevice::slotDeviceLost()
{
    // A loss reported by a session that has since been closed is stale.
    if (worker->hasLostDevice())
        emit deviceLost();
}
