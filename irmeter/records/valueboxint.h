#ifndef VALUEBOXINT_H
#define VALUEBOXINT_H

#include <QString>

// An integer reading with its plain decimal text and its unit.
struct ValueBoxInt
{
    QString text;
    qint32 value = 0;
    QString unit;

    QString toString() const { return QStringLiteral("%1 %2").arg(text, unit); }
};

#endif // VALUEBOXINT_H
