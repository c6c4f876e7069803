#include "mydmm.h"

#include "commandctrl.h"
#include "hiddevice.h"
#include "utils.h"

#include <QDebug>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr char HeaderByte0 = char(0xAB);
constexpr char HeaderByte1 = char(0xCD);
constexpr int FrameTypeLive = 2;
constexpr int FrameTypeStored = 3;
// Smallest length field that can hold the type byte and the checksum.
constexpr int MinLengthField = 3;

// Big-endian field access within one frame. Callers check the frame size
// against the layout before reading, so every offset here lies inside it.
class FrameReader
{
public:
    explicit FrameReader(const QByteArray &frame)
        : m_data(reinterpret_cast<const uchar *>(frame.constData()))
    {}

    quint8 u8(int off) const { return m_data[off]; }
    quint16 u16(int off) const { return quint16((m_data[off] << 8) | m_data[off + 1]); }
    qint16 i16(int off) const { return qint16(u16(off)); }
    qint32 i32(int off) const
    {
        return qint32(quint32(m_data[off]) << 24 | quint32(m_data[off + 1]) << 16 |
                      quint32(m_data[off + 2]) << 8 | quint32(m_data[off + 3]));
    }
    double f32(int off) const
    {
        const quint32 bits = quint32(i32(off));
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return double(f);
    }

private:
    const uchar *m_data;
};

const QString &unitVolt()
{
    static const QString u = QStringLiteral("V");
    return u;
}
const QString &unitMicroFarad()
{
    static const QString u = QStringLiteral("\u03BCF");
    return u;
}
const QString &unitOhm()
{
    static const QString u = QStringLiteral("\u03A9");
    return u;
}

// Formats a floating-point reading: width and precision from the value as
// received, the value cut (never rounded) to that precision, the text in
// fixed notation padded on the left with blanks.
void setReading(ValueBox &box, double v, const QString &unit)
{
    int width = 0;
    int precision = 0;
    MyDMM::getDoubleParam(v, width, precision);
    box.value = MyDMM::getCutValue(v, precision);
    box.text = QStringLiteral("%1").arg(box.value, width, 'f', precision, QLatin1Char(' '));
    box.unit = unit;
}

void setInteger(ValueBoxInt &box, qint32 v, const QString &unit)
{
    box.value = v;
    box.text = QString::number(v);
    box.unit = unit;
}

// Fields shared by the IR, Time, PI and DAR live layouts and the IR and Time
// stored layouts: current, set and output voltage, resistance.
void readIrCommon(const FrameReader &r, DMMDataIR &d)
{
    setReading(d.current, r.f32(6), MyDMM::getCurrUnit(r.u8(10)));
    setInteger(d.vset, r.i16(11), unitVolt());
    setInteger(d.vout, r.i16(13), unitVolt());
    setReading(d.res, r.f32(15), MyDMM::getResUnit(r.u8(19)));
}

// Current and voltages only; PI/DAR stored and COMP frames put the
// resistance elsewhere.
void readCurrentAndVoltages(const FrameReader &r, DMMDataIR &d)
{
    setReading(d.current, r.f32(6), MyDMM::getCurrUnit(r.u8(10)));
    setInteger(d.vset, r.i16(11), unitVolt());
    setInteger(d.vout, r.i16(13), unitVolt());
}

void applyIndicator(DMMDataIR &d, quint8 code)
{
    d.indicator1 = code == 1;
    d.indicator2 = code == 2;
}

void applyCapCode(DMMDataCAP &d, quint8 code)
{
    if (code == 2) {
        d.overRange = true;
    } else if (code == 1) {
        d.underRange = true;
        d.cap.text = QStringLiteral("LO");
    }
}

void applyResCode(DMMDataRES &d, quint8 code)
{
    if (code == 2)
        d.res.text = QStringLiteral("OL");
    else if (code == 3)
        d.res.text = QStringLiteral("LO");
    else if (code == 1)
        d.res.text = QStringLiteral("----");
}

// Voltage value, coupling, polarity and status code; the layouts differ only
// in where the status code sits.
void readVolt(const FrameReader &r, DMMDataVOLT &d, int codeOffset)
{
    d.volt.value = double(r.i16(6));
    d.volt.text = QString::number(d.volt.value);
    d.volt.unit = unitVolt();
    d.coupling = r.u8(8) != 0 ? QStringLiteral("DC") : QStringLiteral("AC");
    d.negative = r.u8(9);
    if (d.coupling == QLatin1String("DC") && d.negative != 0) {
        d.volt.value = -d.volt.value;
        // The text follows the negated value, so a raw negative number does
        // not end up as "--n"; zero keeps its sign as "-0".
        d.volt.text = d.volt.value == 0.0 ? QStringLiteral("-0") : QString::number(d.volt.value);
    }
    const quint8 code = r.u8(codeOffset);
    if (code == 1) {
        d.low = true;
        d.volt.text = QStringLiteral("LO");
    } else if (code == 2) {
        d.overload = true;
        d.volt.text = QStringLiteral("OL");
    }
}

// Smallest frame size, header to last byte read, for each mode's layout.
constexpr int LiveMinSize[8] = {35, 28, 40, 40, 30, 16, 13, 16};
constexpr int StoredMinSize[8] = {32, 23, 34, 34, 27, 15, 11, 13};

template <typename T> QSharedPointer<T> newRecord(const QDateTime &stamp)
{
    QSharedPointer<T> rec(new T);
    rec->dateTime = stamp;
    return rec;
}

} // namespace

MyDMM::MyDMM(QObject *parent) : QObject(parent), m_transport(new HIDDevice(nullptr))
{
    qRegisterMetaType<QSharedPointer<DMMData>>("QSharedPointer<DMMData>");
    qRegisterMetaType<QSharedPointer<Command>>("QSharedPointer<Command>");

    connect(m_transport, &HIDDevice::opened, this, &MyDMM::opened);
    connect(m_transport, &HIDDevice::closed, this, &MyDMM::closed);
    connect(m_transport, &HIDDevice::readyRead, this, &MyDMM::slotSerialDeviceRead);
    // A cable that stops answering ends the link like a communication timeout.
    connect(m_transport, &HIDDevice::deviceLost, this, &MyDMM::sltCommunicationTimeout);

    m_controller = new CommandCtrl(this);
    m_controller->setInterval(10);
    connect(m_controller, &CommandCtrl::nextCommand, this, &MyDMM::nextCommand);
    connect(m_controller, &CommandCtrl::communicationTimeout, this,
            &MyDMM::sltCommunicationTimeout);
}

MyDMM::~MyDMM()
{
    close();
    delete m_controller;
    m_controller = nullptr;
    // The transport has no parent. Its destructor closes it once more; that
    // last closed() must not reach a link that is being destroyed.
    disconnect(m_transport, nullptr, this, nullptr);
    delete m_transport;
    m_transport = nullptr;
}

bool MyDMM::open(const QString &path)
{
    if (m_actived)
        return false;
    if (!m_transport->open(path))
        return false;
    m_currentCommand.clear();
    m_controller->reset();
    m_actived = m_controller->start();
    if (!m_actived) {
        // Do not leave the cable open behind an inactive link: a later open()
        // would find it busy.
        qDebug() << "open: command controller did not start";
        m_transport->close();
        return false;
    }
    emit opened();
    return true;
}

void MyDMM::shutDown()
{
    m_controller->stop();
    m_transport->close();
    m_actived = false;
    emit closed();
}

void MyDMM::close()
{
    if (m_actived)
        shutDown();
}

void MyDMM::setPause(bool pause)
{
    m_controller->setPause(pause);
}

void MyDMM::nextCommand(QSharedPointer<Command> command)
{
    m_currentCommand = command;
    // Nothing is written to the tester and no frame answers a command, so
    // every issued command is completed at once; waiting for an answer that
    // cannot come would end the link with a communication timeout.
    if (command)
        m_controller->response(Pump::Answered);
}

void MyDMM::sltCommunicationTimeout()
{
    if (m_actived)
        shutDown();
    qDebug() << "communicationTimeout";
    emit communicationTimeout();
}

QString MyDMM::getCurrUnit(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("nA");
    case 1:
        return QStringLiteral("uA");
    case 2:
        return QStringLiteral("mA");
    default:
        return QString();
    }
}

QString MyDMM::getResUnit(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("M\u03A9");
    case 1:
        return QStringLiteral("G\u03A9");
    case 2:
        return QStringLiteral("T\u03A9");
    default:
        return QString();
    }
}

int MyDMM::getPrecision(double x)
{
    int width = 0;
    int precision = 0;
    getDoubleParam(x, width, precision);
    return precision;
}

int MyDMM::getfieldWidth(double x)
{
    int width = 0;
    int precision = 0;
    getDoubleParam(x, width, precision);
    return width;
}

void MyDMM::getDoubleParam(double x, int &fieldWidth, int &precision)
{
    // Comparisons with NaN are false, so NaN falls through to the last case.
    if (x == 0.0) {
        fieldWidth = 3;
        precision = 0;
    } else if (x < 10.0) {
        fieldWidth = 4;
        precision = 2;
    } else if (x < 100.0) {
        fieldWidth = 4;
        precision = 1;
    } else {
        fieldWidth = 3;
        precision = 0;
    }
}

double MyDMM::getCutValue(double x, int precision)
{
    // A non-finite reading stays non-finite; the views show it as "-".
    if (!std::isfinite(x))
        return x;
    const double scale = std::pow(10.0, precision);
    const double product = x * scale;
    constexpr double int32Min = double(std::numeric_limits<qint32>::min());
    constexpr double int32Max = double(std::numeric_limits<qint32>::max());
    if (product >= int32Min && product <= int32Max)
        return double(qint32(product)) / scale;
    // Beyond the 32-bit range: truncate as a double instead of wrapping.
    return std::trunc(product) / scale;
}

bool MyDMM::getOneFrameData()
{
    const char *buf = m_rxBuffer.constData();
    const int size = m_rxBuffer.size();
    while (size - m_rxOffset >= 4) {
        const char *start = buf + m_rxOffset;
        const void *hit = std::memchr(start, uchar(HeaderByte0), size_t(size - m_rxOffset - 1));
        // Look for 0xAB followed by 0xCD.
        int pos = -1;
        while (hit) {
            const int p = int(static_cast<const char *>(hit) - buf);
            if (buf[p + 1] == HeaderByte1) {
                pos = p;
                break;
            }
            hit = std::memchr(buf + p + 1, uchar(HeaderByte0), size_t(size - p - 2));
        }
        if (pos < 0) {
            // No header in sight: keep only a trailing 0xAB, which may be the
            // first half of a header still on its way.
            m_rxOffset = buf[size - 1] == HeaderByte0 ? size - 1 : size;
            return false;
        }
        m_rxOffset = pos;
        if (size - m_rxOffset < 4)
            return false;
        const FrameReader r(m_rxBuffer);
        const int length = r.u16(m_rxOffset + 2);
        const int total = length + 4;
        if (length < MinLengthField || total > MaxFrameSize) {
            // Cannot be a frame: step over the false header and search on.
            m_rxOffset += 1;
            continue;
        }
        if (size - m_rxOffset < total)
            return false;
        const int sum =
            Utils::getCheckSum(const_cast<char *>(buf + m_rxOffset + 4), total - 6) & 0xFFFF;
        const int expected = r.u16(m_rxOffset + total - 2);
        if (sum != expected) {
            // Drop only the header: a real frame may start inside the span.
            m_rxOffset += 1;
            continue;
        }
        m_frame = m_rxBuffer.mid(m_rxOffset, total);
        m_rxOffset += total;
        return true;
    }
    return false;
}

QDateTime MyDMM::decodeTime()
{
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    if (ms != m_stampMs) {
        m_stamp = QDateTime::currentDateTime();
        m_stampMs = ms;
    }
    return m_stamp;
}

void MyDMM::compactReceiveBuffer()
{
    if (m_rxOffset > 0) {
        m_rxBuffer.remove(0, m_rxOffset);
        m_rxOffset = 0;
    }
}

void MyDMM::slotSerialDeviceRead(const uint8_t *data, uint len)
{
    if (data && len > 0)
        m_rxBuffer.append(reinterpret_cast<const char *>(data), int(len));
    while (getOneFrameData()) {
        const int type = uchar(m_frame.at(4));
        if (type == FrameTypeLive) {
            decodeLiveData(m_frame);
        } else if (type == FrameTypeStored) {
            qDebug().noquote().nospace()
                << "Stored Data: " << m_frame.toHex(' ') << "--------------------------------";
            decodeStoreData(m_frame);
        }
    }
    compactReceiveBuffer();
}

void MyDMM::decodeLiveData(const QByteArray &frame)
{
    if (frame.size() < 6)
        return;
    const FrameReader r(frame);
    const int mode = r.u8(5);
    if (mode > DMMData::dmRES)
        return;
    if (frame.size() < LiveMinSize[mode]) {
        qDebug() << "decodeLiveData: frame of mode" << mode << "too short:" << frame.size()
                 << "bytes";
        return;
    }

    const QDateTime now = decodeTime();
    QSharedPointer<DMMData> out;
    switch (DMMData::DataMode(mode)) {
    case DMMData::dmIR: {
        auto d = newRecord<DMMDataIR>(now);
        readIrCommon(r, *d);
        d->auxWord = r.i16(20);
        d->testing = r.u8(22) != 0;
        d->overRange = r.u8(23) == 1;
        setReading(d->dar, r.f32(24), QString());
        setReading(d->pi, r.f32(28), QString());
        applyIndicator(*d, r.u8(32));
        d->testTime = r.u16(33);
        out = d;
        break;
    }
    case DMMData::dmTime: {
        auto d = newRecord<DMMDataTime>(now);
        readIrCommon(r, *d);
        d->elapsedTime = r.u16(20);
        d->auxWord = r.i16(22);
        d->testing = r.u8(24) != 0;
        d->overRange = r.u8(25) == 1;
        d->setTime = r.u16(26);
        out = d;
        break;
    }
    case DMMData::dmPI:
    case DMMData::dmDAR: {
        QSharedPointer<DMMDataPIDAR> d;
        if (mode == DMMData::dmPI) {
            auto pi = newRecord<DMMDataPI>(now);
            setReading(pi->piRatio, r.f32(25), QString());
            d = pi;
        } else {
            auto dar = newRecord<DMMDataDAR>(now);
            setReading(dar->darRatio, r.f32(25), QString());
            d = dar;
        }
        readIrCommon(r, *d);
        setReading(d->res2, r.f32(20), getResUnit(r.u8(24)));
        d->elapsedTime = r.u16(29);
        d->auxWord = r.i16(31);
        d->testing = r.u8(33) != 0;
        d->overRange = r.u8(34) == 1;
        d->setTime = r.u16(35);
        d->setTime2 = r.u16(37);
        d->res2OverRange = r.u8(39) == 1;
        out = d;
        break;
    }
    case DMMData::dmCOMP: {
        auto d = newRecord<DMMDataCOMP>(now);
        readCurrentAndVoltages(r, *d);
        setInteger(d->compLimit, r.i32(15), getResUnit(r.u8(19)));
        setReading(d->res, r.f32(20), getResUnit(r.u8(24)));
        d->compResult = r.u8(25);
        d->auxWord = r.i16(26);
        d->testing = r.u8(28) != 0;
        d->overRange = r.u8(29) == 1;
        out = d;
        break;
    }
    case DMMData::dmCAP: {
        auto d = newRecord<DMMDataCAP>(now);
        setReading(d->cap, r.f32(6), unitMicroFarad());
        setInteger(d->vset, r.i16(10), unitVolt());
        d->auxWord = r.i16(12);
        d->testing = r.u8(14) != 0;
        applyCapCode(*d, r.u8(15));
        out = d;
        break;
    }
    case DMMData::dmVOLT: {
        auto d = newRecord<DMMDataVOLT>(now);
        readVolt(r, *d, 12);
        d->auxWord = r.i16(10);
        // The voltage frame carries no testing flag; a voltage reading is
        // always treated as a test in progress.
        d->testing = true;
        out = d;
        break;
    }
    case DMMData::dmRES: {
        auto d = newRecord<DMMDataRES>(now);
        setReading(d->res, r.f32(6), unitOhm());
        d->overRange = r.u8(10) == 1;
        d->testing = r.u8(11) == 1;
        applyResCode(*d, r.u8(12));
        d->auxWord = r.i16(14);
        out = d;
        break;
    }
    }
    emit updateLiveData(out);
}

void MyDMM::decodeStoreData(const QByteArray &frame)
{
    if (frame.size() < 6)
        return;
    const FrameReader r(frame);
    const int mode = r.u8(5);
    if (mode > DMMData::dmRES)
        return;
    if (frame.size() < StoredMinSize[mode]) {
        qDebug() << "decodeStoreData: frame of mode" << mode << "too short:" << frame.size()
                 << "bytes";
        return;
    }

    const QDateTime now = decodeTime();
    QSharedPointer<DMMData> out;
    switch (DMMData::DataMode(mode)) {
    case DMMData::dmIR: {
        auto d = newRecord<DMMDataIR>(now);
        readIrCommon(r, *d);
        d->overRange = r.u8(20) == 1;
        setReading(d->dar, r.f32(21), QString());
        setReading(d->pi, r.f32(25), QString());
        applyIndicator(*d, r.u8(29));
        d->testTime = r.u16(30);
        out = d;
        break;
    }
    case DMMData::dmTime: {
        auto d = newRecord<DMMDataTime>(now);
        readIrCommon(r, *d);
        d->elapsedTime = r.u16(20);
        d->overRange = r.u8(22) == 1;
        out = d;
        break;
    }
    case DMMData::dmPI:
    case DMMData::dmDAR: {
        QSharedPointer<DMMDataPIDAR> d;
        if (mode == DMMData::dmPI) {
            auto pi = newRecord<DMMDataPI>(now);
            setReading(pi->piRatio, r.f32(26), QString());
            d = pi;
        } else {
            auto dar = newRecord<DMMDataDAR>(now);
            setReading(dar->darRatio, r.f32(26), QString());
            d = dar;
        }
        readCurrentAndVoltages(r, *d);
        d->overRange = r.u8(15) == 1;
        setReading(d->res, r.f32(16), getResUnit(r.u8(20)));
        setReading(d->res2, r.f32(21), getResUnit(r.u8(25)));
        d->elapsedTime = r.u16(31);
        d->res2OverRange = r.u8(33) == 1;
        out = d;
        break;
    }
    case DMMData::dmCOMP: {
        auto d = newRecord<DMMDataCOMP>(now);
        readCurrentAndVoltages(r, *d);
        setInteger(d->compLimit, r.i32(15), getResUnit(r.u8(19)));
        setReading(d->res, r.f32(20), getResUnit(r.u8(24)));
        d->compResult = r.u8(25);
        d->overRange = r.u8(26) == 1;
        out = d;
        break;
    }
    case DMMData::dmCAP: {
        auto d = newRecord<DMMDataCAP>(now);
        setInteger(d->vset, r.i16(6), unitVolt());
        setReading(d->cap, r.f32(10), unitMicroFarad());
        applyCapCode(*d, r.u8(14));
        out = d;
        break;
    }
    case DMMData::dmVOLT: {
        auto d = newRecord<DMMDataVOLT>(now);
        readVolt(r, *d, 10);
        out = d;
        break;
    }
    case DMMData::dmRES: {
        auto d = newRecord<DMMDataRES>(now);
        setReading(d->res, r.f32(6), unitOhm());
        d->overRange = r.u8(10) == 1;
        d->testing = r.u8(11) == 1;
        applyResCode(*d, r.u8(12));
        out = d;
        break;
    }
    }
    emit updateStoreData(out);
}
