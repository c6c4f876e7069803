#ifndef VIRTUALHIDDEVICE_H
#define VIRTUALHIDDEVICE_H

// An in-process HID device. It has the identifiers, strings and path of a real
// device, is listed by HidLayer::enumerate while plugged in, and serves
// HidLayer's calls on its path. Subclasses (the virtual cables in sim/) queue
// input reports with pushInputReport() or override the hooks.
// Thread-safe: reports are pushed from one thread and read from another.
//
// Input reports can be given an arrival time (pushInputReportAt). A report
// only becomes readable once its time has come, which lets a cable feed the
// reader at a fixed rate. Arrived reports wait in a ring like the kernel's
// per-handle report buffer; with a capacity set (setInputRingCapacity) a report
// that arrives while the ring is full is dropped and counted, as the kernel
// drops the newest report when the reader falls behind.

#include "hidlayer.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QWaitCondition>

#include <chrono>
#include <deque>

class VirtualHidDevice
{
public:
    using Clock = std::chrono::steady_clock;

    VirtualHidDevice(quint16 vendorId, quint16 productId, const QString &product,
                     const QString &manufacturer = QString(), const QString &serial = QString());
    virtual ~VirtualHidDevice();

    VirtualHidDevice(const VirtualHidDevice &) = delete;
    VirtualHidDevice &operator=(const VirtualHidDevice &) = delete;

    // Identity; path is assigned by VirtualHidBus::attach().
    HidDeviceRecord record() const;
    QByteArray path() const;
    void setInterface(quint16 usagePage, quint16 usage, int interfaceNumber,
                      quint16 releaseNumber = 0);

    // Input side: queue a report for the next read (thread-safe, wakes a waiting read).
    void pushInputReport(const QByteArray &report);
    // Queue a report that becomes readable at the given time.
    void pushInputReportAt(const QByteArray &report, Clock::time_point arrival);
    // Make the next read return -1 (once), as a transfer error would.
    void injectReadError();
    // Reports queued and not yet read (arrived or still to arrive).
    int pendingInputReports() const;
    // Reports handed to readers so far.
    qint64 deliveredInputReports() const;

    // Capacity of the ring of arrived, unread reports; 0 (the default) is unlimited.
    void setInputRingCapacity(int reports);
    int inputRingCapacity() const;
    // Reports dropped because the ring was full when they arrived.
    qint64 droppedInputReports() const;

    // Output side: everything written and every feature report, in order.
    QList<QByteArray> writtenReports() const;
    QList<QByteArray> featureReports() const;
    // Blocks until at least count reports have been written or the time is up.
    bool waitForWrittenReports(int count, int milliseconds) const;

    // Plug state. An unplugged device leaves the enumeration; reads and writes on
    // an open handle then fail with -1 as hidapi's do when a device is gone.
    void unplug();
    bool isPlugged() const;
    void setRefuseOpen(bool refuse); // open() then fails
    bool isOpen() const;
    int openCount() const; // handles currently open on this device

    // --- called by HidLayer ---
    virtual bool handleOpen(); // false refuses the open
    virtual void handleClose();
    virtual int handleRead(unsigned char *data, size_t length, int milliseconds);
    virtual int handleWrite(const unsigned char *data, size_t length);
    virtual int handleFeatureReport(const unsigned char *data, size_t length);
    QString lastError() const;

protected:
    // Called (without the lock) when a read is about to wait for a report, so a
    // generator can produce reports on demand. Default: nothing.
    virtual void aboutToRead() {}

private:
    friend class VirtualHidBus;
    void setPath(const QByteArray &path);

    struct PendingReport
    {
        QByteArray bytes;
        Clock::time_point arrival;
    };
    // Moves every report whose time has come into the ring (mutex held).
    void admitArrivedLocked(Clock::time_point now);

    mutable QMutex m_mutex;
    QWaitCondition m_cond;        // wakes readers: input, errors, unplug
    mutable QWaitCondition m_out; // wakes waiters for written reports
    HidDeviceRecord m_record;
    std::deque<PendingReport> m_scheduled; // still to arrive, in arrival order
    std::deque<QByteArray> m_input;        // arrived, unread
    int m_ringCapacity = 0;
    qint64 m_dropped = 0;
    qint64 m_delivered = 0;
    int m_pendingErrors = 0;
    QList<QByteArray> m_written;
    QList<QByteArray> m_features;
    bool m_plugged = true;
    bool m_refuseOpen = false;
    int m_openCount = 0;
    QString m_lastError;
};

#endif // VIRTUALHIDDEVICE_H
