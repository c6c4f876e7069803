#ifndef HIDLAYER_H
#define HIDLAYER_H

// The project's HID access layer. Every device access of both programs goes
// through these functions. They mirror the part of hidapi the programs need
// and pick the backend per device path: paths that start with
// HidLayer::virtualPathPrefix() belong to in-process virtual devices
// (VirtualHidDevice, registered with VirtualHidBus), every other path goes to
// hidapi's hidraw backend. Enumeration lists real and virtual devices side by
// side. All functions are thread-safe.

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>

struct HidDeviceRecord
{
    QByteArray path; // UTF-8 / Latin-1 bytes as the backend reports them
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString serialNumber;
    quint16 releaseNumber = 0;
    QString manufacturer;
    QString product;
    quint16 usagePage = 0;
    quint16 usage = 0;
    int interfaceNumber = -1;
};

class HidHandle; // opaque; owned by the layer until HidLayer::close()

namespace HidLayer {

const char *virtualPathPrefix(); // "virtual-hid:"

// Reference-counted initialisation of the backends; 0 on success, -1 on error.
int init();
int exit();

// All interfaces with these identifiers; 0 matches any.
QList<HidDeviceRecord> enumerate(quint16 vendorId, quint16 productId);

HidHandle *open(quint16 vendorId, quint16 productId, const QString &serial = QString());
HidHandle *openPath(const QByteArray &path);

int setNonblocking(HidHandle *handle, bool nonblock);
// Returns the number of bytes read, 0 on time-out, -1 on error.
// milliseconds < 0 blocks; 0 polls.
int readTimeout(HidHandle *handle, unsigned char *data, size_t length, int milliseconds);
int read(HidHandle *handle, unsigned char *data, size_t length);
// data[0] is the report number, as in hidapi. Returns bytes written or -1.
int write(HidHandle *handle, const unsigned char *data, size_t length);
int sendFeatureReport(HidHandle *handle, const unsigned char *data, size_t length);
void close(HidHandle *handle);

// The last error of the handle, or of the layer when handle is null.
QString error(HidHandle *handle);

} // namespace HidLayer

#endif // HIDLAYER_H
