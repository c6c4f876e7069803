#include "segmenttables.h"

namespace {

struct Row
{
    char glyph;
    unsigned char aN, aP, bN, bP;
};

// Glyph, table A without/with point, table B without/with point.
const Row kRows[] = {
    {'0', 0x7D, 0xFD, 0xD7, 0xDF}, {'1', 0x60, 0xE0, 0x50, 0x58}, {'2', 0x3E, 0xBE, 0xE3, 0xEB},
    {'3', 0x7A, 0xFA, 0xF1, 0xF9}, {'4', 0x63, 0xE3, 0xF0, 0xF8}, {'5', 0x5B, 0xDB, 0xB5, 0xBD},
    {'6', 0x5F, 0xDF, 0xB7, 0xBF}, {'7', 0x70, 0xF0, 0xD0, 0xD8}, {'8', 0x7F, 0xFF, 0xF7, 0xFF},
    {'9', 0x7B, 0xFB, 0xF5, 0xFD}, {'@', 0x0D, 0x8D, 0x07, 0x0F},
};

} // namespace

namespace SegmentTables {

SegmentGlyph decode(Table table, unsigned char segmentByte)
{
    if (segmentByte == 0x00)
        return {QLatin1Char('H'), false};
    for (const Row &row : kRows) {
        const unsigned char plain = table == TableA ? row.aN : row.bN;
        const unsigned char pointed = table == TableA ? row.aP : row.bP;
        if (segmentByte == plain)
            return {QLatin1Char(row.glyph), false};
        if (segmentByte == pointed)
            return {QLatin1Char(row.glyph), true};
    }
    return {QLatin1Char('G'), true};
}

} // namespace SegmentTables
