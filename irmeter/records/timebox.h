#ifndef TIMEBOX_H
#define TIMEBOX_H

#include <QString>

// Test times travel as one 16-bit value: the high byte and the low byte are
// two counts shown as "hh:ll", each padded to at least two digits.
class TimeBox
{
public:
    static QString convertString(unsigned short packed);
};

#endif // TIMEBOX_H
