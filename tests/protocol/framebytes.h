#ifndef FRAMEBYTES_H
#define FRAMEBYTES_H

// Helpers shared by the protocol tests.

#include "mydmm.h"

#include <QByteArray>
#include <QSignalSpy>

// "AB CD 00 03" -> bytes; blanks are ignored.
inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

inline void feed(MyDMM &link, const QByteArray &bytes)
{
    link.slotSerialDeviceRead(reinterpret_cast<const uint8_t *>(bytes.constData()),
                              uint(bytes.size()));
}

// Frames as the tester sends them, checksums included.
namespace Frames {
inline QByteArray liveIR()
{
    return hex("AB CD 00 21 02 00 3F C0 00 00 01 01 F4 FF 9C 42 F6 E9 79 01 FF FE 05 02 3F A0 00 "
               "00 40 20 00 00 01 0A 05 09 80");
}
inline QByteArray liveVOLT()
{
    return hex("AB CD 00 0B 02 06 00 E6 01 01 00 00 00 00 F0");
}
inline QByteArray storedRES()
{
    return hex("AB CD 00 0B 03 07 40 53 33 33 01 01 03 01 08");
}
} // namespace Frames

#endif // FRAMEBYTES_H
