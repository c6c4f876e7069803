#include "hidlayer.h"

#include "virtualhidbus.h"
#include "virtualhiddevice.h"

#include <hidapi.h>

#include <QMutex>
#include <QMutexLocker>

#include <memory>

// One open device of either backend.
class HidHandle
{
public:
    hid_device *real = nullptr;
    std::shared_ptr<VirtualHidDevice> virt;
    bool nonblocking = false; // only used by read() of virtual devices
};

namespace {

struct LayerState
{
    QMutex mutex; // guards the fields below and every call into hidapi's global state
    int initCount = 0;
    bool realReady = false;
    QString lastError;
};

LayerState &state()
{
    static LayerState s;
    return s;
}

QString fromWide(const wchar_t *text)
{
    return text ? QString::fromWCharArray(text) : QString();
}

bool isVirtualPath(const QByteArray &path)
{
    return path.startsWith(HidLayer::virtualPathPrefix());
}

void setLayerError(const QString &text)
{
    LayerState &s = state();
    QMutexLocker lock(&s.mutex);
    s.lastError = text;
}

// The caller holds the layer mutex.
QString realGlobalErrorLocked()
{
    const QString text = fromWide(hid_error(nullptr));
    return text.isEmpty() ? QStringLiteral("hidapi error") : text;
}

bool matches(const HidDeviceRecord &r, quint16 vendorId, quint16 productId)
{
    return (vendorId == 0 || r.vendorId == vendorId) &&
           (productId == 0 || r.productId == productId);
}

} // namespace

namespace HidLayer {

const char *virtualPathPrefix()
{
    return "virtual-hid:";
}

int init()
{
    LayerState &s = state();
    QMutexLocker lock(&s.mutex);
    if (s.initCount++ == 0) {
        s.realReady = hid_init() == 0;
        if (!s.realReady)
            s.lastError = realGlobalErrorLocked();
    }
    // Virtual devices work either way; the result only reports the real backend.
    return s.realReady ? 0 : -1;
}

int exit()
{
    LayerState &s = state();
    QMutexLocker lock(&s.mutex);
    if (s.initCount == 0)
        return 0;
    if (--s.initCount == 0 && s.realReady) {
        s.realReady = false;
        return hid_exit();
    }
    return 0;
}

QList<HidDeviceRecord> enumerate(quint16 vendorId, quint16 productId)
{
    QList<HidDeviceRecord> result;
    {
        LayerState &s = state();
        QMutexLocker lock(&s.mutex);
        hid_device_info *list = hid_enumerate(vendorId, productId);
        for (hid_device_info *info = list; info; info = info->next) {
            HidDeviceRecord r;
            r.path = QByteArray(info->path ? info->path : "");
            r.vendorId = info->vendor_id;
            r.productId = info->product_id;
            r.serialNumber = fromWide(info->serial_number);
            r.releaseNumber = info->release_number;
            r.manufacturer = fromWide(info->manufacturer_string);
            r.product = fromWide(info->product_string);
            r.usagePage = info->usage_page;
            r.usage = info->usage;
            r.interfaceNumber = info->interface_number;
            result.append(r);
        }
        hid_free_enumeration(list);
    }
    const auto devices = VirtualHidBus::instance().devices();
    for (const auto &device : devices) {
        const HidDeviceRecord r = device->record();
        if (matches(r, vendorId, productId))
            result.append(r);
    }
    return result;
}

HidHandle *open(quint16 vendorId, quint16 productId, const QString &serial)
{
    const QList<HidDeviceRecord> all = enumerate(vendorId, productId);
    for (const HidDeviceRecord &r : all) {
        if (r.vendorId != vendorId || r.productId != productId)
            continue;
        if (!serial.isEmpty() && r.serialNumber != serial)
            continue;
        return openPath(r.path);
    }
    setLayerError(QStringLiteral("no device %1:%2 found")
                      .arg(vendorId, 4, 16, QLatin1Char('0'))
                      .arg(productId, 4, 16, QLatin1Char('0')));
    return nullptr;
}

HidHandle *openPath(const QByteArray &path)
{
    if (isVirtualPath(path)) {
        std::shared_ptr<VirtualHidDevice> device = VirtualHidBus::instance().find(path);
        if (!device) {
            setLayerError(QStringLiteral("no such device: %1").arg(QString::fromLatin1(path)));
            return nullptr;
        }
        if (!device->handleOpen()) {
            setLayerError(device->lastError());
            return nullptr;
        }
        auto *handle = new HidHandle;
        handle->virt = std::move(device);
        return handle;
    }

    LayerState &s = state();
    QMutexLocker lock(&s.mutex);
    hid_device *dev = path.isEmpty() ? nullptr : hid_open_path(path.constData());
    if (!dev) {
        s.lastError =
            path.isEmpty() ? QStringLiteral("empty device path") : realGlobalErrorLocked();
        return nullptr;
    }
    auto *handle = new HidHandle;
    handle->real = dev;
    return handle;
}

int setNonblocking(HidHandle *handle, bool nonblock)
{
    if (!handle)
        return -1;
    if (handle->virt) {
        handle->nonblocking = nonblock;
        return 0;
    }
    return hid_set_nonblocking(handle->real, nonblock ? 1 : 0);
}

int readTimeout(HidHandle *handle, unsigned char *data, size_t length, int milliseconds)
{
    if (!handle || !data)
        return -1;
    if (handle->virt)
        return handle->virt->handleRead(data, length, milliseconds);
    return hid_read_timeout(handle->real, data, length, milliseconds);
}

int read(HidHandle *handle, unsigned char *data, size_t length)
{
    if (!handle || !data)
        return -1;
    if (handle->virt)
        return handle->virt->handleRead(data, length, handle->nonblocking ? 0 : -1);
    return hid_read(handle->real, data, length);
}

int write(HidHandle *handle, const unsigned char *data, size_t length)
{
    if (!handle)
        return -1;
    if (handle->virt)
        return handle->virt->handleWrite(data, length);
    if (!data || length == 0)
        return -1;
    return hid_write(handle->real, data, length);
}

int sendFeatureReport(HidHandle *handle, const unsigned char *data, size_t length)
{
    if (!handle)
        return -1;
    if (handle->virt)
        return handle->virt->handleFeatureReport(data, length);
    if (!data || length == 0)
        return -1;
    return hid_send_feature_report(handle->real, data, length);
}

void close(HidHandle *handle)
{
    if (!handle)
        return;
    if (handle->virt)
        handle->virt->handleClose();
    else
        hid_close(handle->real);
    delete handle;
}

QString error(HidHandle *handle)
{
    if (!handle) {
        LayerState &s = state();
        QMutexLocker lock(&s.mutex);
        return s.lastError;
    }
    if (handle->virt)
        return handle->virt->lastError();
    return fromWide(hid_error(handle->real));
}

} // namespace HidLayer
