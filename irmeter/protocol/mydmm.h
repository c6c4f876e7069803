#ifndef MYDMM_H
#define MYDMM_H

#include "command.h"
#include "dmmdata.h"

#include <QByteArray>
#include <QObject>
#include <QSharedPointer>
#include <QString>

#include <cstdint>

class CommandCtrl;
class HIDDevice;

// The application's connection to one tester. It owns the HID transport and a
// command controller, opens and closes the link, assembles the transport's
// byte stream into checked frames and decodes live and stored readings into
// records. The unit and number operations are static and read no state.
class MyDMM : public QObject
{
    Q_OBJECT
public:
    explicit MyDMM(QObject *parent = nullptr);
    ~MyDMM() override;

    // Frames longer than this cannot come from the tester; a length field
    // above it marks a false header.
    static constexpr int MaxFrameSize = 1024;

    // Opens the cable at `path`; false when already open or when the cable or
    // the controller cannot be started.
    bool open(const QString &path);
    void close();
    bool actived() const { return m_actived; }
    void setActived(bool actived) { m_actived = actived; }
    void setPause(bool pause);

    HIDDevice *transport() const { return m_transport; }
    CommandCtrl *controller() const { return m_controller; }
    QSharedPointer<Command> currentCommand() const { return m_currentCommand; }

    bool getOneFrameData();
    // Received bytes not yet assembled into a frame.
    int pendingBytes() const { return m_rxBuffer.size() - m_rxOffset; }
    QByteArray frame() const { return m_frame; }

    void decodeLiveData(const QByteArray &frame);
    void decodeStoreData(const QByteArray &frame);

    static QString getCurrUnit(int code);
    static QString getResUnit(int code);
    static int getPrecision(double x);
    static int getfieldWidth(double x);
    static void getDoubleParam(double x, int &fieldWidth, int &precision);
    static double getCutValue(double x, int precision);

signals:
    void updateLiveData(QSharedPointer<DMMData> data);
    void updateStoreData(QSharedPointer<DMMData> data);
    void communicationTimeout();
    void opened();
    void closed();

public slots:
    void nextCommand(QSharedPointer<Command> command);
    void sltCommunicationTimeout();
    void slotSerialDeviceRead(const uint8_t *data, uint len);

private:
    void compactReceiveBuffer();
    void shutDown();
    QDateTime decodeTime();

    CommandCtrl *m_controller = nullptr;
    QSharedPointer<Command> m_currentCommand;
    bool m_actived = false;
    HIDDevice *m_transport = nullptr;

    QByteArray m_frame;
    QByteArray m_rxBuffer;
    // Start of the unassembled bytes in m_rxBuffer; consumed bytes are
    // removed once per delivery, not once per frame.
    int m_rxOffset = 0;
    // Local time of the last record, reused for records decoded within the
    // same millisecond: the local time conversion costs far more than a frame.
    qint64 m_stampMs = -1;
    QDateTime m_stamp;
};

#endif // MYDMM_H
