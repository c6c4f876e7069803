#include "consoledisplayencoder.h"

namespace {

// Segment bytes of the glyphs '0'..'9' and '@': main/timer/memory digits
// (point in bit 7) and test-voltage digits (point in bit 3).
const unsigned char kMainPlain[11] = {0x7D, 0x60, 0x3E, 0x7A, 0x63, 0x5B,
                                      0x5F, 0x70, 0x7F, 0x7B, 0x0D};
const unsigned char kVoltPlain[11] = {0xD7, 0x50, 0xE3, 0xF1, 0xF0, 0xB5,
                                      0xB7, 0xD0, 0xF7, 0xF5, 0x07};
const unsigned char kUnknown = 0x01;

int glyphIndex(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.toLatin1() - '0';
    if (c == QLatin1Char('@'))
        return 10;
    if (c == QLatin1Char(' '))
        return -1;
    return -2;
}

unsigned char mainByte(QChar c, bool point)
{
    const int i = glyphIndex(c);
    if (i == -2)
        return kUnknown;
    const unsigned char plain = i < 0 ? 0x00 : kMainPlain[i];
    return point ? (plain | 0x80) : plain;
}

unsigned char voltByte(QChar c, bool point)
{
    const int i = glyphIndex(c);
    if (i == -2)
        return kUnknown;
    const unsigned char plain = i < 0 ? 0x00 : kVoltPlain[i];
    return point ? (plain | 0x08) : plain;
}

QChar at(const QString &s, int i)
{
    return i < s.size() ? s.at(i) : QLatin1Char(' ');
}

class Nibbles
{
public:
    void set(int digit, int bit, bool on)
    {
        if (on)
            m_n[digit] |= (1 << bit);
    }
    // Puts a segment byte into two frame digits: byte = 16 * first + second.
    void put(int first, int second, unsigned char byte)
    {
        m_n[first] = byte >> 4;
        m_n[second] = byte & 0x0F;
    }
    QByteArray bytes() const
    {
        QByteArray out(20, '\0');
        for (int k = 0; k < 20; ++k)
            out[k] = static_cast<char>((m_n[2 * k + 1] << 4) | m_n[2 * k + 2]);
        return out;
    }

private:
    int m_n[41] = {};
};

// Frame digit and bit of each bar, from the left.
const int kBarDigit[31] = {39, 39, 39, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4,
                           4,  4,  4,  5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7};
const int kBarBit[31] = {1, 2, 3, 3, 2, 1, 0, 0, 1, 2, 3, 3, 2, 1, 0, 0,
                         1, 2, 3, 3, 2, 1, 0, 0, 1, 2, 3, 3, 2, 1, 0};

} // namespace

namespace ConsoleDisplayEncoder {

QByteArray encodeData(const ConsoleDisplayState &s)
{
    Nibbles n;
    for (int i = 0; i < 31; ++i)
        n.set(kBarDigit[i], kBarBit[i], i < s.bars);

    n.put(22, 21, mainByte(at(s.mainDigits, 0), s.points[0]));
    n.put(24, 23, mainByte(at(s.mainDigits, 1), s.points[1]));
    n.put(26, 25, mainByte(at(s.mainDigits, 2), s.points[2]));
    n.put(28, 27, mainByte(at(s.mainDigits, 3), s.tera));

    n.put(31, 30, voltByte(at(s.testVoltage, 0), s.danger));
    n.put(33, 32, voltByte(at(s.testVoltage, 1), s.ng));
    n.put(35, 34, voltByte(at(s.testVoltage, 2), s.good));
    n.put(37, 36, voltByte(at(s.testVoltage, 3), s.voltSign));

    n.put(15, 16, mainByte(at(s.timer, 0), s.clear));
    n.put(13, 14, mainByte(at(s.timer, 1), s.colon));
    n.put(11, 12, mainByte(at(s.timer, 2), s.comp));
    n.put(9, 10, mainByte(at(s.timer, 3), s.timerGiga));
    n.put(17, 18, mainByte(s.memoryDigit, s.memoryFull));

    n.set(8, 0, s.dc);
    n.set(8, 1, s.ac);
    n.set(8, 2, s.negative);
    n.set(8, 3, s.timerMega);
    n.set(9, 3, s.timerGiga);

    n.set(19, 0, s.powerSign);
    n.set(19, 1, s.s1);
    n.set(19, 2, s.s2);
    n.set(19, 3, s.s3);
    n.set(20, 0, s.load);
    n.set(20, 1, s.save);
    n.set(20, 2, s.time2);
    n.set(20, 3, s.time1);
    for (int b = 0; b < 4; ++b)
        n.set(29, b, (s.units >> b) & 1);
    n.set(38, 0, s.mike);
    n.set(38, 2, s.pi);
    n.set(38, 3, s.memoryOne);
    n.set(39, 0, s.autoOff);
    n.set(40, 0, s.battery);
    n.set(40, 1, s.batteryLevel >= 3);
    n.set(40, 2, s.batteryLevel >= 2);
    n.set(40, 3, s.batteryLevel >= 1);
    return n.bytes();
}

QByteArray encodeFrame(const ConsoleDisplayState &state)
{
    return encodeData(state) + QByteArray("\r\n", 2);
}

} // namespace ConsoleDisplayEncoder
