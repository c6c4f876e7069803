#ifndef HIDREADERTHREAD_H
#define HIDREADERTHREAD_H

// The reader thread of one checked-out HID device. It reads input reports and
// hands each one to the device object on the GUI thread, then waits until the
// GUI thread has finished with it before it reads the next report. Stopping
// never waits for the GUI thread, so it is safe to stop the reader from inside
// the handler of the report it is waiting on.

#include <QByteArray>
#include <QSemaphore>
#include <QThread>

#include <atomic>
#include <memory>

class HidDevice;
class HidHandle;

class HidReaderThread : public QThread
{
    Q_OBJECT
public:
    HidReaderThread(HidDevice *device, HidHandle *handle);
    ~HidReaderThread() override;

    // Asks the loop to end and waits for the thread. Reports already handed to
    // the GUI thread are dropped there.
    void stop();

    static constexpr int kReportBufferSize = 256;

protected:
    void run() override;

private:
    struct Handoff
    {
        QSemaphore done;
        std::atomic<bool> stop{false};
    };

    void waitForGuiThread();

    HidDevice *m_device;
    HidHandle *m_handle;
    std::shared_ptr<Handoff> m_handoff;
};

#endif // HIDREADERTHREAD_H
