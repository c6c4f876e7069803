#include "hiddevicep.h"

#include "hidlayer.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>

namespace {

// Lets the first line through and then at most one per second, so a fault that
// repeats on every read cannot flood the log.
class LogLimiter
{
public:
    // True when a line may be written now; suppressed() tells how many were held back.
    bool allow()
    {
        if (m_timer.isValid() && m_timer.elapsed() < 1000) {
            ++m_suppressed;
            return false;
        }
        m_timer.start();
        m_lastSuppressed = m_suppressed;
        m_suppressed = 0;
        return true;
    }
    int suppressed() const { return m_lastSuppressed; }

private:
    QElapsedTimer m_timer;
    int m_suppressed = 0;
    int m_lastSuppressed = 0;
};

} // namespace

HIDDeviceP::HIDDeviceP(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<HIDDevInfo>();
    if (HidLayer::init() != 0)
        qDebug() << "HIDDeviceP" << HidLayer::error(nullptr);

    controller = new CommandCtrl(nullptr);
    controller->setInterval(10);
    // The controller stays in the creating thread while this worker is busy in
    // its read loop, so a queued call would only run once the loop has ended.
    // A direct connection hands each command over at once; the read loop writes
    // it between two reads.
    connect(controller, &CommandCtrl::nextCommand, this, &HIDDeviceP::nextCommand,
            Qt::DirectConnection);
    connect(controller, &CommandCtrl::communicationTimeout, this, &HIDDeviceP::communicationTimeout,
            Qt::DirectConnection);
}

HIDDeviceP::~HIDDeviceP()
{
    close();
    releaseHandle();
    delete controller;
    HidLayer::exit();
}

bool HIDDeviceP::open(const QString &path)
{
    if (opened)
        return false;
    // Enumeration decodes the library's path as UTF-8; encode it the same way
    // so every listed path opens again.
    return finishOpen(HidLayer::openPath(path.toUtf8()));
}

bool HIDDeviceP::open(ushort vendorId, ushort productId)
{
    if (opened)
        return false;
    return finishOpen(HidLayer::open(vendorId, productId));
}

bool HIDDeviceP::finishOpen(HidHandle *handle)
{
    if (!handle)
        return false;
    // A handle left over from a session whose loop never ran.
    releaseHandle();
    HidLayer::setNonblocking(handle, true);
    device = handle;
    {
        QMutexLocker lock(&writeMutex);
        acceptWrites = true;
    }
    if (!controller->start()) {
        {
            QMutexLocker lock(&writeMutex);
            acceptWrites = false;
        }
        HidLayer::close(device);
        device = nullptr;
        return false;
    }
    lost = false;
    // Set here rather than in doRead(): a close() that comes before the loop
    // has started must still find the loop ended when it runs.
    reading = true;
    opened = true;
    return true;
}

void HIDDeviceP::close()
{
    lost = false;
    if (!opened)
        return;
    controller->stop();
    opened = false;
    reading = false;
}

void HIDDeviceP::releaseHandle()
{
    if (!device)
        return;
    {
        QMutexLocker lock(&writeMutex);
        acceptWrites = false;
        pendingWrites.clear();
    }
    HidLayer::close(device);
    device = nullptr;
}

QList<HIDDevInfo> HIDDeviceP::enumerate(ushort vendorId, ushort productId)
{
    QList<HIDDevInfo> list;
    const QList<HidDeviceRecord> records = HidLayer::enumerate(vendorId, productId);
    for (const HidDeviceRecord &r : records) {
        HIDDevInfo info;
        info.path = QString::fromUtf8(r.path);
        info.vendorId = r.vendorId;
        info.productId = r.productId;
        info.serialNumber = r.serialNumber;
        info.releaseNumber = r.releaseNumber;
        info.manufacturer = r.manufacturer;
        info.product = r.product;
        info.usagePage = r.usagePage;
        info.usage = r.usage;
        info.interfaceNumber = r.interfaceNumber;
        list.append(info);
    }
    return list;
}

void HIDDeviceP::addCommand(QSharedPointer<Command> cmd, Pump::PoolMode mode)
{
    if (cmd)
        controller->add(cmd, mode);
}

void HIDDeviceP::doRead()
{
    // Nothing to do for a start request that arrives after the session ended.
    if (!reading || !device)
        return;

    LogLimiter errorLog;
    LogLimiter countLog;
    int failedReads = 0;
    QString lastError;

    while (reading) {
        writePending();

        const int n = HidLayer::readTimeout(device, reportBuffer, ReportSize, ReadTimeoutMs);
        if (n > 0) {
            failedReads = 0;
            const int count = deliverReport(n);
            if (count > n - 1 && countLog.allow())
                qDebug() << "doRead"
                         << "report announces" << count << "serial bytes but holds"
                         << std::min(n, int(ReportSize)) - 1 << "- only those were delivered";
            // The kernel keeps only a small ring of reports per handle and drops
            // new ones when it is full: read on at once while reports come in.
            continue;
        }
        if (n < 0) {
            lastError = HidLayer::error(device);
            if (++failedReads >= LostAfterErrors) {
                qDebug() << "doRead"
                         << "device lost after" << failedReads << "failed reads:" << lastError;
                lost = true;
                reading = false;
                break;
            }
            if (errorLog.allow()) {
                if (errorLog.suppressed() > 0)
                    qDebug() << "doRead" << lastError << "(" << errorLog.suppressed()
                             << "similar errors not shown)";
                else
                    qDebug() << "doRead" << lastError;
            }
        } else {
            failedReads = 0;
        }
        QThread::msleep(IdleSleepMs);
    }

    QList<QSharedPointer<Command>> unwritten;
    {
        QMutexLocker lock(&writeMutex);
        acceptWrites = false;
        unwritten.swap(pendingWrites);
    }
    HidLayer::close(device);
    device = nullptr;
    for (const auto &cmd : unwritten) {
        qDebug() << "nextCommand"
                 << "device closed, command not written";
        answerIfNoResponse(cmd);
    }
    qDebug() << "doRead" << (reading ? "true" : "false");
    if (lost)
        emit deviceLost();
}

int HIDDeviceP::deliverReport(int readLength)
{
    // Deliver only bytes the report really holds, whatever its count byte says.
    const int count = reportBuffer[0];
    const int held = std::min(readLength, int(ReportSize)) - 1;
    const int length = std::min(count, held);
    // One copy per report: a queued receiver never sees the buffer reused.
    QByteArray bytes(reinterpret_cast<const char *>(reportBuffer + 1), length);
    emit readyRead(reinterpret_cast<unsigned char *>(bytes.data()), uint(length));
    emit readyReadBytes(bytes);
    return count;
}

void HIDDeviceP::nextCommand(QSharedPointer<Command> cmd)
{
    if (!cmd)
        return;
    {
        QMutexLocker lock(&writeMutex);
        if (acceptWrites) {
            pendingWrites.append(cmd);
            return;
        }
    }
    qDebug() << "nextCommand"
             << "device not open, command not written";
    answerIfNoResponse(cmd);
}

void HIDDeviceP::writePending()
{
    QList<QSharedPointer<Command>> batch;
    {
        QMutexLocker lock(&writeMutex);
        if (pendingWrites.isEmpty())
            return;
        batch.swap(pendingWrites);
    }
    for (const auto &cmd : batch)
        writeCommand(cmd);
}

void HIDDeviceP::writeCommand(const QSharedPointer<Command> &cmd)
{
    const QByteArray content = cmd->content();
    const int written =
        HidLayer::write(device, reinterpret_cast<const unsigned char *>(content.constData()),
                        size_t(content.size()));
    if (written == -1)
        qDebug() << "nextCommand" << HidLayer::error(device);
    answerIfNoResponse(cmd);
}

void HIDDeviceP::answerIfNoResponse(const QSharedPointer<Command> &cmd)
{
    if (!cmd->needResponse())
        controller->response(Pump::Answered);
}

void HIDDeviceP::communicationTimeout()
{
    qDebug() << "communicationTimeout";
}
