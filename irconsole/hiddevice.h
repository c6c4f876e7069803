#ifndef HIDDEVICE_H
#define HIDDEVICE_H

// One HID interface as the console program sees it: its description, and,
// once checked out of the controller, an open handle, the set-feature request
// and a data handler. Attaching a handler starts a reader thread that passes
// every input report (report ID and data block) to the handler on the GUI
// thread and waits for the handler to return; detaching it stops the thread.

#include "hidlayer.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class HidReaderThread;

class HidDevice : public QObject
{
    Q_OBJECT
public:
    using DataHandler =
        std::function<void(HidDevice *device, quint8 reportId, const QByteArray &data)>;

    explicit HidDevice(const HidDeviceRecord &record, QObject *parent = nullptr);
    ~HidDevice() override;

    const HidDeviceRecord &record() const { return m_record; }
    QString productName() const { return m_record.product; }
    QString serialNumber() const { return m_record.serialNumber; }
    quint16 vendorId() const { return m_record.vendorId; }
    quint16 productId() const { return m_record.productId; }
    QByteArray path() const { return m_record.path; }

    // Opens the device for reading and writing when it is not open yet.
    bool hasReadWriteAccess();
    // report[0] is the report ID. Returns false when the request failed.
    bool setFeature(const QByteArray &report);
    QString lastError() const { return m_lastError; }

    // A non-empty handler starts the reader thread, an empty one stops it.
    void setOnData(DataHandler handler);
    bool isReading() const { return m_reader != nullptr; }

    // Stops reading and closes the handle; the object stays a description.
    void shutdown();
    // Deletes the object once no report handler of it is running.
    void release();

    // Called on the GUI thread by the reader thread's hand-off.
    void deliverReport(quint8 reportId, const QByteArray &data);
    void reportDataError(int code, const QString &message);

signals:
    void dataError(HidDevice *device, int code, const QString &message);

private:
    void stopReader();

    HidDeviceRecord m_record;
    HidHandle *m_handle = nullptr;
    HidReaderThread *m_reader = nullptr;
    DataHandler m_onData;
    QString m_lastError;
    int m_delivering = 0;
    bool m_releasePending = false;
};

#endif // HIDDEVICE_H
