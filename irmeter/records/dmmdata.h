#ifndef DMMDATA_H
#define DMMDATA_H

#include "timebox.h"
#include "valuebox.h"
#include "valueboxint.h"

#include <QDateTime>
#include <QObject>
#include <QSharedPointer>
#include <QString>

// One reading of the tester. Records are plain carriers: the decoders fill the
// public members, the views read them. The concrete class always matches
// `mode`, so consumers may cast a QSharedPointer<DMMData> statically by mode.
class DMMData : public QObject
{
    Q_OBJECT
public:
    // Also the mode byte of the tester's frames.
    enum DataMode : int {
        dmIR = 0,
        dmTime = 1,
        dmPI = 2,
        dmDAR = 3,
        dmCOMP = 4,
        dmCAP = 5,
        dmVOLT = 6,
        dmRES = 7
    };
    Q_ENUM(DataMode)

    DMMData() : QObject(nullptr) {}

    QDateTime dateTime;
    DataMode mode = dmIR;
    qint32 auxWord = 0;
    bool testing = false;
};

// Insulation resistance; base of the timed, PI, DAR and COMP records.
class DMMDataIR : public DMMData
{
public:
    DMMDataIR() { mode = dmIR; }

    ValueBox res;
    ValueBox current;
    ValueBoxInt vset;
    ValueBoxInt vout;
    bool overRange = false;
    ValueBox dar;
    ValueBox pi;
    bool indicator1 = false;
    bool indicator2 = false;
    quint16 testTime = 0;
};

class DMMDataTime : public DMMDataIR
{
public:
    DMMDataTime() { mode = dmTime; }

    quint16 elapsedTime = 0;
    quint16 setTime = 0;
};

// Common part of PI and DAR records; never created itself.
class DMMDataPIDAR : public DMMDataTime
{
public:
    ValueBox res2;
    quint16 setTime2 = 0;
    bool res2OverRange = false;

protected:
    DMMDataPIDAR() = default;
};

class DMMDataPI : public DMMDataPIDAR
{
public:
    DMMDataPI() { mode = dmPI; }

    ValueBox piRatio;
};

class DMMDataDAR : public DMMDataPIDAR
{
public:
    DMMDataDAR() { mode = dmDAR; }

    ValueBox darRatio;
};

class DMMDataCOMP : public DMMDataIR
{
public:
    DMMDataCOMP() { mode = dmCOMP; }

    // 0 no result, 2 pass, any other value fail.
    static constexpr quint8 CompNone = 0;
    static constexpr quint8 CompPass = 2;

    ValueBoxInt compLimit;
    quint8 compResult = 0;
};

class DMMDataCAP : public DMMData
{
public:
    DMMDataCAP() { mode = dmCAP; }

    ValueBox cap;
    ValueBoxInt vset;
    bool overRange = false;
    bool underRange = false;
};

class DMMDataVOLT : public DMMData
{
public:
    DMMDataVOLT() { mode = dmVOLT; }

    ValueBox volt;
    QString coupling;
    quint8 negative = 0;
    bool low = false;
    bool overload = false;
};

class DMMDataRES : public DMMData
{
public:
    DMMDataRES() { mode = dmRES; }

    ValueBox res;
    bool overRange = false;
};

#endif // DMMDATA_H
