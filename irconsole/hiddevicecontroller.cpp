#include "hiddevicecontroller.h"

#include "hidlayer.h"

#include <QDebug>
#include <QSet>

namespace {

QSet<QByteArray> pathsOf(const QList<HidDeviceRecord> &records)
{
    QSet<QByteArray> paths;
    for (const HidDeviceRecord &r : records)
        paths.insert(r.path);
    return paths;
}

} // namespace

HidDeviceController::HidDeviceController(QObject *parent) : QObject(parent)
{
    if (HidLayer::init() != 0)
        qWarning() << "HidDeviceController: HID layer initialisation failed"
                   << HidLayer::error(nullptr);
    m_poll.setInterval(750);
    connect(&m_poll, &QTimer::timeout, this, &HidDeviceController::checkDevices);
}

HidDeviceController::~HidDeviceController()
{
    m_poll.stop();
    const QList<HidDevice *> devices = m_checkedOut;
    m_checkedOut.clear();
    qDeleteAll(devices);
    HidLayer::exit();
}

void HidDeviceController::start()
{
    m_current = HidLayer::enumerate(0, 0);
    m_started = true;
    m_poll.start();
    emit deviceChange();
}

void HidDeviceController::setPollInterval(int milliseconds)
{
    m_poll.setInterval(milliseconds);
}

void HidDeviceController::enumerate(const EnumerateHandler &handler)
{
    const QList<HidDeviceRecord> snapshot = m_current;
    for (int i = 0; i < snapshot.size(); ++i) {
        HidDevice description(snapshot.at(i));
        if (!handler(&description, i))
            break;
    }
}

HidDevice *HidDeviceController::checkOutByIndex(int index)
{
    if (index < 0 || index >= m_current.size())
        return nullptr;
    auto *device = new HidDevice(m_current.at(index), this);
    connect(device, &HidDevice::dataError, this, &HidDeviceController::deviceDataError);
    connect(device, &QObject::destroyed, this, [this, device] { m_checkedOut.removeAll(device); });
    m_checkedOut.append(device);
    return device;
}

void HidDeviceController::checkIn(HidDevice *device)
{
    if (!device || !m_checkedOut.contains(device))
        return;
    m_checkedOut.removeAll(device);
    device->release();
}

void HidDeviceController::checkDevices()
{
    if (!m_started)
        return;
    const QList<HidDeviceRecord> now = HidLayer::enumerate(0, 0);
    const QSet<QByteArray> before = pathsOf(m_current);
    const QSet<QByteArray> after = pathsOf(now);
    if (before == after)
        return;
    const QList<HidDeviceRecord> old = m_current;
    m_current = now;
    for (const HidDeviceRecord &r : old) {
        if (!after.contains(r.path)) {
            HidDevice description(r);
            emit removal(&description);
        }
    }
    for (const HidDeviceRecord &r : now) {
        if (!before.contains(r.path)) {
            HidDevice description(r);
            emit arrival(&description);
        }
    }
    emit deviceChange();
}
