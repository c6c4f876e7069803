#ifndef HIDDEVICECONTROLLER_H
#define HIDDEVICECONTROLLER_H

// The HID device controller of the console program. It keeps the set of HID
// interfaces the HID layer lists, notices changes while the program runs
// (by polling the enumeration and comparing the device paths), and reports
// them on the GUI thread: first a removal for every interface that went
// away, then an arrival for every new one, then one deviceChange. Devices
// are listed with enumerate() and checked out by index; a checked-out object
// belongs to the controller until it is checked in again.

#include "hiddevice.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

class HidDeviceController : public QObject
{
    Q_OBJECT
public:
    // Return false to end the enumeration early.
    using EnumerateHandler = std::function<bool(HidDevice *device, int index)>;

    explicit HidDeviceController(QObject *parent = nullptr);
    ~HidDeviceController() override;

    // Takes the first snapshot, reports it with one deviceChange and starts
    // watching for changes.
    void start();
    void setPollInterval(int milliseconds);
    int pollInterval() const { return m_poll.interval(); }

    // Calls the handler for every interface of the current snapshot with a
    // temporary description object (valid during the call only).
    void enumerate(const EnumerateHandler &handler);
    int deviceCount() const { return m_current.size(); }

    HidDevice *checkOutByIndex(int index);
    void checkIn(HidDevice *device);

    // Compares the enumeration with the snapshot now and reports changes.
    void checkDevices();

signals:
    void deviceChange();
    void arrival(HidDevice *device);
    void removal(HidDevice *device);
    void deviceDataError(HidDevice *device, int error, const QString &message);

private:
    QList<HidDeviceRecord> m_current;
    QList<HidDevice *> m_checkedOut;
    QTimer m_poll;
    bool m_started = false;
};

#endif // HIDDEVICECONTROLLER_H
