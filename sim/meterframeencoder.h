#ifndef METERFRAMEENCODER_H
#define METERFRAMEENCODER_H

#include <QByteArray>
#include <QtGlobal>

// Builds the frames a tester sends, live and stored, for every measurement
// mode, from plain field values. Used by the virtual tester, the tests and the
// benchmarks; it knows nothing of the application's record classes.
class MeterFrameEncoder
{
public:
    enum FrameType : quint8 { Live = 2, Stored = 3 };

    // Mode bytes, as the tester sends them.
    enum Mode : quint8 { IR = 0, Time = 1, PI = 2, DAR = 3, COMP = 4, CAP = 5, VOLT = 6, RES = 7 };

    // Every field that any layout carries. A layout takes the fields it has
    // and ignores the rest. Unit fields are the tester's unit codes
    // (current 0 nA, 1 uA, 2 mA; resistance 0 MOhm, 1 GOhm, 2 TOhm).
    struct Fields
    {
        quint8 mode = IR;

        // Insulation family.
        float current = 0.0f;
        quint8 currentUnit = 0;
        qint16 vset = 0;
        qint16 vout = 0;
        float res = 0.0f; // also the low resistance of RES mode
        quint8 resUnit = 0;
        quint8 overRange = 0;
        float dar = 0.0f;
        float pi = 0.0f;
        quint8 indicator = 0;
        quint16 testTime = 0;
        quint16 elapsedTime = 0;
        quint16 setTime = 0;
        quint16 setTime2 = 0;
        float res2 = 0.0f;
        quint8 res2Unit = 0;
        quint8 res2OverRange = 0;
        float ratio = 0.0f; // PI or DAR ratio
        qint32 compLimit = 0;
        quint8 compLimitUnit = 0;
        quint8 compResult = 0;

        // Capacitance.
        float cap = 0.0f;
        quint8 capCode = 0; // 1 below range, 2 above range

        // Voltage.
        qint16 volt = 0;
        quint8 coupling = 1; // non-zero DC, zero AC
        quint8 negative = 0;
        quint8 voltCode = 0; // 1 LO, 2 OL

        // Low resistance.
        quint8 resCode = 0; // 1 "----", 2 OL, 3 LO

        // Every live frame.
        qint16 auxWord = 0;
        quint8 testing = 0;
    };

    // The envelope: 0xAB 0xCD, big-endian length, type, payload, checksum.
    static QByteArray frame(quint8 type, const QByteArray &payload);

    // Payloads start with the mode byte. A mode above 7 yields a payload of
    // the mode byte alone.
    static QByteArray livePayload(const Fields &f);
    static QByteArray storedPayload(const Fields &f);

    static QByteArray liveFrame(const Fields &f) { return frame(Live, livePayload(f)); }
    static QByteArray storedFrame(const Fields &f) { return frame(Stored, storedPayload(f)); }

    // Low 16 bits of the byte sum over type byte and payload.
    static quint16 checksum(const QByteArray &typeAndPayload);

    // Packs two counts into a test time: high byte first.
    static quint16 packTime(int high, int low)
    {
        return quint16(((high & 0xFF) << 8) | (low & 0xFF));
    }
};

#endif // METERFRAMEENCODER_H
