#ifndef SEGMENTTABLES_H
#define SEGMENTTABLES_H

// The two segment-decoding tables of the tester's display. A digit's segment
// byte decodes into a glyph character and a point flag. Table A drives the
// main, timer and memory digits (point in bit 7), table B the four
// test-voltage digits (point in bit 3).

#include <QChar>

struct SegmentGlyph
{
    QChar glyph; // '0'..'9', '@', 'H' (blank) or 'G' (unknown)
    bool point;  // flag "P": the digit's point or indicator is lit

    bool isUnknown() const { return glyph == QLatin1Char('G'); }
    bool isBlank() const { return glyph == QLatin1Char('H'); }
};

namespace SegmentTables {

enum Table { TableA, TableB };

// Bytes that are in neither table decode to 'G' with the point flag set;
// 0x00 decodes to 'H' with the flag clear.
SegmentGlyph decode(Table table, unsigned char segmentByte);

} // namespace SegmentTables

#endif // SEGMENTTABLES_H
