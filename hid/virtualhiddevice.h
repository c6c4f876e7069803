#ifndef VIRTUALHIDDEVICE_H
#define VIRTUALHIDDEVICE_H

// An in-process HID device. It has the identifiers, strings and path of a real
// device, is listed by HidLayer::enumerate while plugged in, and serves
// HidLayer's calls on its path. Subclasses (the virtual cables in sim/) queue
// input reports with pushInputReport() or override the hooks.
// Thread-safe: reports are pushed from one thread and read from another.

#include "hidlayer.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QWaitCondition>

#include <deque>

class VirtualHidDevice
{
public:
    VirtualHidDevice(quint16 vendorId, quint16 productId, const QString &product,
                     const QString &manufacturer = QString(), const QString &serial = QString());
    virtual ~VirtualHidDevice();

    // Identity; path is assigned by VirtualHidBus::attach().
    HidDeviceRecord record() const;
    QByteArray path() const;

    // Input side: queue a report for the next read (thread-safe, wakes a waiting read).
    void pushInputReport(const QByteArray &report);
    // Make the next read return -1 (once), as a transfer error would.
    void injectReadError();
    int pendingInputReports() const;

    // Output side: everything written and every feature report, in order.
    QList<QByteArray> writtenReports() const;
    QList<QByteArray> featureReports() const;

    // Plug state. An unplugged device leaves the enumeration; reads and writes on
    // an open handle then fail with -1 as hidapi's do when a device is gone.
    void unplug();
    bool isPlugged() const;
    void setRefuseOpen(bool refuse); // open() then fails
    bool isOpen() const;

    // --- called by HidLayer ---
    virtual bool handleOpen();   // false refuses the open
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

    mutable QMutex m_mutex;
    QWaitCondition m_cond;
    HidDeviceRecord m_record;
    std::deque<QByteArray> m_input;
    int m_pendingErrors = 0;
    QList<QByteArray> m_written;
    QList<QByteArray> m_features;
    bool m_plugged = true;
    bool m_refuseOpen = false;
    bool m_open = false;
    QString m_lastError;
};

#endif // VIRTUALHIDDEVICE_H
