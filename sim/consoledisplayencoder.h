#ifndef CONSOLEDISPLAYENCODER_H
#define CONSOLEDISPLAYENCODER_H

// Turns the state of the earlier tester's display into the frame the tester
// sends: 20 bytes, one bit per segment or symbol, followed by CR LF.
// Digits are given as characters: '0'..'9', '@' (the "L" shape) or ' '
// (blank); any other character sends a segment byte the display does not
// know (0x01), which leaves the digit as it was.

#include <QByteArray>
#include <QString>

struct ConsoleDisplayState
{
    enum Unit { NoUnit = 0, Volt = 1, Ohm = 2, MegaOhm = 4, GigaOhm = 8 };

    // Main reading.
    QString mainDigits = QStringLiteral("    "); // four characters
    bool points[3] = {false, false, false};      // after digits 1, 2 and 3
    bool tera = false;                           // "TΩ"
    bool negative = false;
    int units = NoUnit; // bit set of Unit; more than one lights several symbols

    // Test voltage and its flags.
    QString testVoltage = QStringLiteral("    ");
    bool danger = false, ng = false, good = false, voltSign = false;

    // Timer: minutes (two digits) and seconds (two digits).
    QString timer = QStringLiteral("    ");
    bool clear = false, colon = false, comp = false;
    bool timerMega = false, timerGiga = false;

    // Memory number.
    QChar memoryDigit = QLatin1Char(' ');
    bool memoryOne = false, memoryFull = false;

    int bars = 0; // lit bars from the left, 0..31
    bool dc = false, ac = false;
    bool powerSign = false, s1 = false, s2 = false, s3 = false;
    bool load = false, save = false, time1 = false, time2 = false;
    bool mike = false, pi = false, autoOff = false;
    bool battery = false;
    int batteryLevel = 0; // 0..3 level bars
};

namespace ConsoleDisplayEncoder {

QByteArray encodeData(const ConsoleDisplayState &state);  // the 20 data bytes
QByteArray encodeFrame(const ConsoleDisplayState &state); // data bytes plus CR LF

} // namespace ConsoleDisplayEncoder

#endif // CONSOLEDISPLAYENCODER_H
