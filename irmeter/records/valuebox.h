#ifndef VALUEBOX_H
#define VALUEBOX_H

#include <QString>

// A floating-point reading together with the text shown for it and its unit.
// The text is produced once by the decoder; views only join text and unit.
struct ValueBox
{
    QString text;
    double value = 0.0;
    QString unit;

    // "text unit". A non-finite value is normalised in place first (value 0,
    // text "-"), so every later reader of the record sees the same dash.
    QString toString();
};

#endif // VALUEBOX_H
