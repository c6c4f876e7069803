#ifndef RECORDFACTORY_H
#define RECORDFACTORY_H

// Small builders for measurement records as the decoders would fill them.
#include "dmmdata.h"

#include <QDateTime>
#include <QSharedPointer>

namespace rf {

inline ValueBox box(const QString &text, double value, const QString &unit)
{
    ValueBox b;
    b.text = text;
    b.value = value;
    b.unit = unit;
    return b;
}

inline ValueBoxInt intBox(qint32 value, const QString &unit)
{
    ValueBoxInt b;
    b.value = value;
    b.text = QString::number(value);
    b.unit = unit;
    return b;
}

inline const QString &ohm()
{
    static const QString s = QString(QChar(0x03A9));
    return s;
}
inline QString mohm()
{
    return QStringLiteral("M") + ohm();
}
inline QString gohm()
{
    return QStringLiteral("G") + ohm();
}
inline QString tohm()
{
    return QStringLiteral("T") + ohm();
}
inline QString microFarad()
{
    return QString(QChar(0x03BC)) + QStringLiteral("F");
}

inline QDateTime at(qint64 secondsFromBase)
{
    static const QDateTime base(QDate(2024, 6, 25), QTime(1, 19, 6));
    return base.addSecs(secondsFromBase);
}

template <typename T> void fillInsulation(T &r)
{
    r.res = box(QStringLiteral("12.3"), 12.3, mohm());
    r.current = box(QStringLiteral("0.50"), 0.5, QStringLiteral("uA"));
    r.vset = intBox(500, QStringLiteral("V"));
    r.vout = intBox(512, QStringLiteral("V"));
}

inline QSharedPointer<DMMDataIR> ir(double value = 12.3, const QString &unit = mohm(),
                                    const QDateTime &when = at(0))
{
    QSharedPointer<DMMDataIR> r(new DMMDataIR);
    fillInsulation(*r);
    r->res = box(QString::number(value), value, unit);
    r->dar = box(QStringLiteral("2.35"), 2.35, QString());
    r->pi = box(QStringLiteral("1.20"), 1.2, QString());
    r->testTime = 0x0A05;
    r->dateTime = when;
    return r;
}

inline QSharedPointer<DMMDataTime> timed()
{
    QSharedPointer<DMMDataTime> r(new DMMDataTime);
    fillInsulation(*r);
    r->elapsedTime = 0x0030;
    r->setTime = 0x0100;
    r->dateTime = at(0);
    return r;
}

template <typename T> QSharedPointer<T> pidar(const QDateTime &when = at(0))
{
    QSharedPointer<T> r(new T);
    fillInsulation(*r);
    r->res = box(QStringLiteral("1000"), 1000, gohm());
    r->res2 = box(QStringLiteral("20.0"), 20.0, gohm());
    r->elapsedTime = 0x0A00;
    r->setTime = 0x0100;
    r->setTime2 = 0x0A00;
    r->dateTime = when;
    return r;
}

inline QSharedPointer<DMMDataPI> pi(double ratio = 2.5, const QDateTime &when = at(0))
{
    auto r = pidar<DMMDataPI>(when);
    r->piRatio = box(QString::number(ratio, 'f', 2), ratio, QString());
    return r;
}

inline QSharedPointer<DMMDataDAR> dar(double ratio = 1.3)
{
    auto r = pidar<DMMDataDAR>();
    r->darRatio = box(QString::number(ratio, 'f', 2), ratio, QString());
    return r;
}

inline QSharedPointer<DMMDataCOMP> comp(quint8 result)
{
    QSharedPointer<DMMDataCOMP> r(new DMMDataCOMP);
    fillInsulation(*r);
    r->compLimit = intBox(100, mohm());
    r->compResult = result;
    r->dateTime = at(0);
    return r;
}

inline QSharedPointer<DMMDataCAP> cap(bool overRange)
{
    QSharedPointer<DMMDataCAP> r(new DMMDataCAP);
    r->cap = box(QStringLiteral("1.25"), 1.25, microFarad());
    r->vset = intBox(250, QStringLiteral("V"));
    r->overRange = overRange;
    r->dateTime = at(0);
    return r;
}

inline QSharedPointer<DMMDataVOLT> volt(const QString &coupling)
{
    QSharedPointer<DMMDataVOLT> r(new DMMDataVOLT);
    r->volt = box(QStringLiteral("230"), 230, QStringLiteral("V"));
    r->coupling = coupling;
    r->testing = true; // the voltage decoder always sets it
    r->dateTime = at(0);
    return r;
}

inline QSharedPointer<DMMDataRES> res(double value = 1.5, const QDateTime &when = at(0))
{
    QSharedPointer<DMMDataRES> r(new DMMDataRES);
    r->res = box(QString::number(value), value, ohm());
    r->dateTime = when;
    return r;
}

} // namespace rf

#endif // RECORDFACTORY_H
