#ifndef VIRTUALCONSOLECABLE_H
#define VIRTUALCONSOLECABLE_H

// The earlier tester's HID serial cable as an in-process HID device (product
// "USB to Serial"). The PC configures its serial line with one 10-byte
// feature report; the cable records it. The tester's serial bytes reach the
// PC in 8-byte input reports: the low four bits of byte 0 count the serial
// bytes that follow (0 to 7; the high four bits are set), the rest is filler.
//
// The real cable sends a report with no serial byte on every poll while the
// line is quiet. With an idle interval set, a read that finds no queued
// report waits at most that long and then returns such an empty report.
// All functions are thread-safe.

#include "virtualhiddevice.h"

#include <QByteArray>

#include <atomic>
#include <memory>

class VirtualConsoleCable : public VirtualHidDevice
{
public:
    static constexpr quint16 VendorId = 0x1A86;
    static constexpr quint16 ProductId = 0xE008;
    static constexpr int ReportSize = 8;
    static constexpr int MaxSerialBytes = ReportSize - 1;

    explicit VirtualConsoleCable(const QString &product = QStringLiteral("USB to Serial"),
                                 const QString &serial = QString());

    // Creates a cable and attaches it to the virtual bus.
    static std::shared_ptr<VirtualConsoleCable>
    plugIn(const QString &product = QStringLiteral("USB to Serial"),
           const QString &serial = QString());

    // One input report carrying up to seven serial bytes (more are cut).
    static QByteArray makeReport(const QByteArray &serialBytes);
    static QByteArray emptyReport() { return makeReport(QByteArray()); }

    // Queues the bytes in reports of at most maxPerReport (1..7) bytes each,
    // followed by one empty report when endWithEmpty is set.
    void sendSerial(const QByteArray &bytes, int maxPerReport = MaxSerialBytes,
                    bool endWithEmpty = true);
    void sendEmptyReports(int count);

    // 0 (default) turns the idle reports off.
    void setIdleInterval(int milliseconds) { m_idleMs = milliseconds; }
    int idleInterval() const { return m_idleMs; }

    // The serial bit rate of the last feature report, 0 before the first one.
    int configuredBitRate() const;

    int handleRead(unsigned char *data, size_t length, int milliseconds) override;

private:
    std::atomic<int> m_idleMs{0};
};

#endif // VIRTUALCONSOLECABLE_H
