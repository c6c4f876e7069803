#ifndef VIRTUALMETERCABLE_H
#define VIRTUALMETERCABLE_H

// The newer tester's USB cable as an in-process HID device. It carries a
// serial byte stream in 64-byte input reports: byte 0 counts the serial bytes
// that follow (0 to 63), the rest of the report is zero filler.
//
// A virtual tester calls sendSerial() with the bytes it would put on the wire;
// the cable cuts them into reports (at most chunking() bytes each) and queues
// them for the reader. With a report interval set, successive reports become
// readable one interval apart, so the reader is fed at a fixed rate the way
// the real cable's interrupt endpoint does. All functions are thread-safe.
//
// Typical use:
//     auto cable = VirtualMeterCable::plugIn();      // listed by HidLayer::enumerate
//     cable->sendSerial(QByteArray("\xAB\xCD...", n));
//     ...
//     cable->unplug();                                // reads then fail

#include "virtualhiddevice.h"

#include <QByteArray>
#include <QList>
#include <QMutex>

#include <chrono>
#include <memory>

class VirtualMeterCable : public VirtualHidDevice
{
public:
    static constexpr quint16 VendorId = 0x1A86;
    static constexpr quint16 ProductId = 0xE429;
    static constexpr int ReportSize = 64;
    static constexpr int MaxSerialBytes = ReportSize - 1;

    explicit VirtualMeterCable(const QString &serial = QString());

    // Creates a cable and attaches it to the virtual bus (it then has a path).
    static std::shared_ptr<VirtualMeterCable> plugIn(const QString &serial = QString());

    // One input report: count byte, the bytes, zero filler (bytes beyond 63 are cut).
    static QByteArray makeReport(const QByteArray &serialBytes);

    // Most serial bytes put into one report, 1 to 63 (default 63).
    void setChunking(int maxBytesPerReport);
    int chunking() const;

    // Time between two reports becoming readable; 0 (default) makes each
    // report readable as soon as it is queued.
    void setReportInterval(std::chrono::microseconds interval);
    std::chrono::microseconds reportInterval() const;

    // Queues the bytes in reports of at most chunking() bytes. Empty input queues nothing.
    void sendSerial(const QByteArray &bytes);
    // Queues the bytes with a new report starting at each offset in cuts
    // (ascending, inside the data; others are ignored); pieces longer than
    // chunking() are cut further.
    void sendSerialSplit(const QByteArray &bytes, const QList<int> &cuts);
    // A report that carries no serial byte (count 0).
    void sendEmptyReport();
    // A 64-byte report with any count byte, whatever the payload really holds.
    void sendRawReport(quint8 countByte, const QByteArray &payload);
    // Exactly these bytes as one read result (also shorter or longer than 64).
    void sendRawBytes(const QByteArray &readResult);

    // Reports and serial bytes queued by the send functions so far.
    qint64 reportsSent() const;
    qint64 serialBytesSent() const;

private:
    void queue(const QByteArray &report, int serialBytes);
    void queuePieces(const QByteArray &bytes, int from, int to);

    mutable QMutex m_cableMutex;
    int m_chunking = MaxSerialBytes;
    std::chrono::microseconds m_interval{0};
    Clock::time_point m_lastArrival{};
    qint64 m_reports = 0;
    qint64 m_serialBytes = 0;
};

#endif // VIRTUALMETERCABLE_H
