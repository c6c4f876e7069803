#include "virtualconsolecable.h"

#include "virtualhidbus.h"

#include <algorithm>
#include <cstring>

VirtualConsoleCable::VirtualConsoleCable(const QString &product, const QString &serial)
    : VirtualHidDevice(VendorId, ProductId, product, QStringLiteral("Virtual"), serial)
{}

std::shared_ptr<VirtualConsoleCable> VirtualConsoleCable::plugIn(const QString &product,
                                                                 const QString &serial)
{
    auto cable = std::make_shared<VirtualConsoleCable>(product, serial);
    VirtualHidBus::instance().attach(cable);
    return cable;
}

QByteArray VirtualConsoleCable::makeReport(const QByteArray &serialBytes)
{
    QByteArray report(ReportSize, '\0');
    const int n = std::min<int>(serialBytes.size(), MaxSerialBytes);
    report[0] = static_cast<char>(0xF0 | n);
    if (n > 0)
        std::memcpy(report.data() + 1, serialBytes.constData(), size_t(n));
    return report;
}

void VirtualConsoleCable::sendSerial(const QByteArray &bytes, int maxPerReport, bool endWithEmpty)
{
    const int chunk = std::clamp(maxPerReport, 1, int(MaxSerialBytes));
    for (int i = 0; i < bytes.size(); i += chunk)
        pushInputReport(makeReport(bytes.mid(i, chunk)));
    if (endWithEmpty)
        pushInputReport(emptyReport());
}

void VirtualConsoleCable::sendEmptyReports(int count)
{
    for (int i = 0; i < count; ++i)
        pushInputReport(emptyReport());
}

int VirtualConsoleCable::configuredBitRate() const
{
    const QList<QByteArray> features = featureReports();
    if (features.isEmpty() || features.last().size() < 3)
        return 0;
    const QByteArray &f = features.last();
    return static_cast<unsigned char>(f.at(1)) | (static_cast<unsigned char>(f.at(2)) << 8);
}

int VirtualConsoleCable::handleRead(unsigned char *data, size_t length, int milliseconds)
{
    const int idle = m_idleMs;
    if (idle <= 0)
        return VirtualHidDevice::handleRead(data, length, milliseconds);
    const int wait = milliseconds < 0 ? idle : std::min(milliseconds, idle);
    const int n = VirtualHidDevice::handleRead(data, length, wait);
    if (n != 0 || (milliseconds >= 0 && milliseconds < idle))
        return n;
    const QByteArray report = emptyReport();
    const size_t copy = std::min(length, size_t(report.size()));
    std::memcpy(data, report.constData(), copy);
    return int(copy);
}
