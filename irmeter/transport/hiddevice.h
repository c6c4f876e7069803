#ifndef HIDDEVICE_H
#define HIDDEVICE_H

#include "command.h"
#include "hiddevinfo.h"
#include "pump.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSharedPointer>

class QThread;
class HIDDeviceP;

// The HID transport as the main thread sees it: it owns the reader thread and
// the worker HIDDeviceP that runs there, and emits opened(), closed(),
// readyRead() and deviceLost() in its own thread.
class HIDDevice : public QObject
{
    Q_OBJECT
public:
    explicit HIDDevice(QObject *parent = nullptr);
    ~HIDDevice() override;

    static QList<HIDDevInfo> enumerate(ushort vendorId, ushort productId);

    bool open(const QString &path);
    bool open(ushort vendorId, ushort productId);
    // Ends the read loop, waits for the reader thread and emits closed(),
    // also when nothing was open.
    void close();
    bool isOpen() const;

    // Queues a command; the read loop writes it to the device while it runs.
    // A command that needs no answer is completed once it has been written.
    void addCommand(QSharedPointer<Command> cmd, Pump::PoolMode mode = Pump::Once);

signals:
    void startRead();
    void opened();
    void closed();
    // The serial bytes of one report, in report order. data is valid while the
    // signal is being emitted; a receiver that keeps the bytes copies them.
    void readyRead(unsigned char *data, uint length);
    // The same bytes as an independent copy, safe to queue to other threads.
    void readyReadBytes(const QByteArray &data);
    // The device stopped answering reads (unplugged); the link should close.
    void deviceLost();

private slots:
    void slotReportBytes(const QByteArray &data);
    void slotDeviceLost();

private:
    bool started();

    QThread *thread;
    HIDDeviceP *worker;
};

#endif // HIDDEVICE_H
