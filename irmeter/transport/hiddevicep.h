#ifndef HIDDEVICEP_H
#define HIDDEVICEP_H

#include "command.h"
#include "commandctrl.h"
#include "hiddevinfo.h"
#include "pump.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSharedPointer>

#include <atomic>

class HidHandle;

// The transport's worker. It lives in the reader thread, holds the open device
// handle and runs the read loop doRead(), which unpacks the serial bytes of
// each 64-byte input report (byte 0 counts the bytes that follow) and emits
// them. Commands issued by the transport's controller are written by the read
// loop between two reads, so the handle is only ever used from the reader
// thread and never after it has been closed.
class HIDDeviceP : public QObject
{
    Q_OBJECT
public:
    static constexpr int ReportSize = 64;
    static constexpr int ReadTimeoutMs = 1000;
    static constexpr int IdleSleepMs = 10;
    // Consecutive failed reads after which the device counts as gone.
    static constexpr int LostAfterErrors = 10;

    explicit HIDDeviceP(QObject *parent = nullptr);
    ~HIDDeviceP() override;

    bool open(const QString &path);
    bool open(ushort vendorId, ushort productId);
    // Stops the controller and ends the read loop; the loop closes the handle.
    void close();

    static QList<HIDDevInfo> enumerate(ushort vendorId, ushort productId);

    // Queues a command for writing to the device (thread-safe).
    void addCommand(QSharedPointer<Command> cmd, Pump::PoolMode mode);
    CommandCtrl *commandCtrl() const { return controller; }

    bool isOpened() const { return opened; }
    bool isReading() const { return reading; }
    // True after the read loop gave the device up, until the next open() or close().
    bool hasLostDevice() const { return lost; }

    // Closes a handle the read loop never got to close (the loop did not run
    // before close()). Only call while the reader thread is not running.
    void releaseHandle();

signals:
    // The serial bytes of one report. data points into a copy that is valid
    // while the signal is being emitted; receivers in other threads use
    // readyReadBytes, which carries its own copy.
    void readyRead(unsigned char *data, uint length);
    void readyReadBytes(const QByteArray &data);
    // Reads kept failing: the device is gone. The read loop has ended and closed the handle.
    void deviceLost();

public slots:
    void doRead();

private slots:
    void communicationTimeout();
    void nextCommand(QSharedPointer<Command> cmd);

private:
    bool finishOpen(HidHandle *handle);
    void writePending();
    void writeCommand(const QSharedPointer<Command> &cmd);
    // Emits the serial bytes of the report just read; returns its count byte.
    int deliverReport(int readLength);
    void answerIfNoResponse(const QSharedPointer<Command> &cmd);

    HidHandle *device = nullptr;
    CommandCtrl *controller = nullptr;
    std::atomic<bool> opened{false};
    std::atomic<bool> reading{false};
    unsigned char reportBuffer[ReportSize] = {};

    std::atomic<bool> lost{false};
    QMutex writeMutex; // guards pendingWrites and acceptWrites
    QList<QSharedPointer<Command>> pendingWrites;
    bool acceptWrites = false;
};

#endif // HIDDEVICEP_H
