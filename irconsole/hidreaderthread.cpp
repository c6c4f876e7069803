#include "hidreaderthread.h"

#include "hiddevice.h"
#include "hidlayer.h"

#include <QDebug>
#include <QMetaObject>
#include <QPointer>

#include <cerrno>

HidReaderThread::HidReaderThread(HidDevice *device, HidHandle *handle)
    : m_device(device), m_handle(handle), m_handoff(std::make_shared<Handoff>())
{
    setObjectName(QStringLiteral("HidReader"));
}

HidReaderThread::~HidReaderThread()
{
    stop();
}

void HidReaderThread::stop()
{
    m_handoff->stop = true;
    m_handoff->done.release();
    wait();
}

void HidReaderThread::waitForGuiThread()
{
    while (!m_handoff->stop && !m_handoff->done.tryAcquire(1, 50)) {
    }
}

void HidReaderThread::run()
{
    const std::shared_ptr<Handoff> handoff = m_handoff;
    QPointer<HidDevice> device(m_device);
    unsigned char buffer[kReportBufferSize];
    int errorsInRow = 0;
    while (!handoff->stop) {
        errno = 0;
        const int n = HidLayer::readTimeout(m_handle, buffer, sizeof buffer, 100);
        if (handoff->stop)
            break;
        if (n < 0) {
            const int code = errno;
            const QString message = HidLayer::error(m_handle);
            qWarning() << "doRead: read failed:" << message;
            QMetaObject::invokeMethod(
                m_device,
                [device, handoff, code, message] {
                    if (device && !handoff->stop)
                        device->reportDataError(code, message);
                },
                Qt::QueuedConnection);
            // A device that is gone fails every read; do not flood the GUI.
            errorsInRow = qMin(errorsInRow + 1, 10);
            for (int i = 0; i < errorsInRow * 2 && !handoff->stop; ++i)
                QThread::msleep(50);
            continue;
        }
        errorsInRow = 0;
        if (n == 0)
            continue;
        // Unnumbered reports arrive without their ID byte: report ID 0, and
        // the whole buffer is the data block.
        const QByteArray data(reinterpret_cast<const char *>(buffer), n);
        QMetaObject::invokeMethod(
            m_device,
            [device, handoff, data] {
                if (device && !handoff->stop)
                    device->deliverReport(0, data);
                handoff->done.release();
            },
            Qt::QueuedConnection);
        waitForGuiThread();
    }
}
