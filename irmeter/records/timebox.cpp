#include "timebox.h"

QString TimeBox::convertString(unsigned short packed)
{
    return QStringLiteral("%1:%2")
        .arg(packed >> 8, 2, 10, QLatin1Char('0'))
        .arg(packed & 0xFF, 2, 10, QLatin1Char('0'));
}
