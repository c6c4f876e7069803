#include "modelset.h"

#include "datamodelcap.h"
#include "datamodelcomp.h"
#include "datamodeldar.h"
#include "datamodelir.h"
#include "datamodelpi.h"
#include "datamodelres.h"
#include "datamodelstoredcap.h"
#include "datamodelstoredcomp.h"
#include "datamodelstoreddar.h"
#include "datamodelstoredir.h"
#include "datamodelstoredpi.h"
#include "datamodelstoredres.h"
#include "datamodelstoredtime.h"
#include "datamodelstoredvolt.h"
#include "datamodeltime.h"
#include "datamodelvolt.h"

#include <QCoreApplication>

namespace {

const char *const Context = "TemplateWindow";

// Header source texts per mode, in DMMData::DataMode order.
const char *const IrKeys[] = {
    QT_TRANSLATE_NOOP("TemplateWindow", "No."),   QT_TRANSLATE_NOOP("TemplateWindow", "Date/Time"),
    QT_TRANSLATE_NOOP("TemplateWindow", "Mode"),  QT_TRANSLATE_NOOP("TemplateWindow", "RES"),
    QT_TRANSLATE_NOOP("TemplateWindow", "LC"),    QT_TRANSLATE_NOOP("TemplateWindow", "V-Set"),
    QT_TRANSLATE_NOOP("TemplateWindow", "V-Out"), QT_TRANSLATE_NOOP("TemplateWindow", "DAR"),
    QT_TRANSLATE_NOOP("TemplateWindow", "PI"),    QT_TRANSLATE_NOOP("TemplateWindow", "Time")};
const char *const TimeKeys[] = {
    QT_TRANSLATE_NOOP("TemplateWindow", "No."),  QT_TRANSLATE_NOOP("TemplateWindow", "Date/Time"),
    QT_TRANSLATE_NOOP("TemplateWindow", "Mode"), QT_TRANSLATE_NOOP("TemplateWindow", "RES"),
    QT_TRANSLATE_NOOP("TemplateWindow", "Time"), QT_TRANSLATE_NOOP("TemplateWindow", "Time-Set"),
    QT_TRANSLATE_NOOP("TemplateWindow", "LC"),   QT_TRANSLATE_NOOP("TemplateWindow", "V-Set"),
    QT_TRANSLATE_NOOP("TemplateWindow", "V-Out")};
const char *const PiKeys[] = {QT_TRANSLATE_NOOP("TemplateWindow", "No."),
                              QT_TRANSLATE_NOOP("TemplateWindow", "Date/Time"),
                              QT_TRANSLATE_NOOP("TemplateWindow", "Mode"),
                              QT_TRANSLATE_NOOP("TemplateWindow", "RES1"),
                              QT_TRANSLATE_NOOP("TemplateWindow", "RES2"),
                              QT_TRANSLATE_NOOP("TemplateWindow", "PI"),
                              QT_TRANSLATE_NOOP("TemplateWindow", "Time"),
                              QT_TRANSLATE_NOOP("TemplateWindow", "Time-Set1"),
                              QT_TRANSLATE_NOOP("TemplateWindow", "Time-Set2"),
                              QT_TRANSLATE_NOOP("TemplateWindow", "LC"),
                              QT_TRANSLATE_NOOP("TemplateWindow", "V-Set"),
                              QT_TRANSLATE_NOOP("TemplateWindow", "V-Out")};
const char *const DarKeys[] = {QT_TRANSLATE_NOOP("TemplateWindow", "No."),
                               QT_TRANSLATE_NOOP("TemplateWindow", "Date/Time"),
                               QT_TRANSLATE_NOOP("TemplateWindow", "Mode"),
                               QT_TRANSLATE_NOOP("TemplateWindow", "RES1"),
                               QT_TRANSLATE_NOOP("TemplateWindow", "RES2"),
                               QT_TRANSLATE_NOOP("TemplateWindow", "DAR"),
                               QT_TRANSLATE_NOOP("TemplateWindow", "Time"),
                               QT_TRANSLATE_NOOP("TemplateWindow", "Time-Set1"),
                               QT_TRANSLATE_NOOP("TemplateWindow", "Time-Set2"),
                               QT_TRANSLATE_NOOP("TemplateWindow", "LC"),
                               QT_TRANSLATE_NOOP("TemplateWindow", "V-Set"),
                               QT_TRANSLATE_NOOP("TemplateWindow", "V-Out")};
const char *const CompKeys[] = {
    QT_TRANSLATE_NOOP("TemplateWindow", "No."),  QT_TRANSLATE_NOOP("TemplateWindow", "Date/Time"),
    QT_TRANSLATE_NOOP("TemplateWindow", "Mode"), QT_TRANSLATE_NOOP("TemplateWindow", "RES-COMP"),
    QT_TRANSLATE_NOOP("TemplateWindow", "RES"),  QT_TRANSLATE_NOOP("TemplateWindow", "Result"),
    QT_TRANSLATE_NOOP("TemplateWindow", "LC"),   QT_TRANSLATE_NOOP("TemplateWindow", "V-Set"),
    QT_TRANSLATE_NOOP("TemplateWindow", "V-Out")};
const char *const CapKeys[] = {
    QT_TRANSLATE_NOOP("TemplateWindow", "No."), QT_TRANSLATE_NOOP("TemplateWindow", "Date/Time"),
    QT_TRANSLATE_NOOP("TemplateWindow", "Mode"), QT_TRANSLATE_NOOP("TemplateWindow", "CAP"),
    QT_TRANSLATE_NOOP("TemplateWindow", "V-Set")};
const char *const VoltKeys[] = {QT_TRANSLATE_NOOP("TemplateWindow", "No."),
                                QT_TRANSLATE_NOOP("TemplateWindow", "Date/Time"),
                                QT_TRANSLATE_NOOP("TemplateWindow", "Mode"),
                                QT_TRANSLATE_NOOP("TemplateWindow", "VOLT"), "AC/DC"};
const char *const ResKeys[] = {
    QT_TRANSLATE_NOOP("TemplateWindow", "No."), QT_TRANSLATE_NOOP("TemplateWindow", "Date/Time"),
    QT_TRANSLATE_NOOP("TemplateWindow", "Mode"), QT_TRANSLATE_NOOP("TemplateWindow", "RES")};

// The coupling column is keyed "AC/DC" but its header is translated from
// "ACDC", so the untranslated header reads "ACDC".
const char *const CouplingKey = "AC/DC";
const char *const CouplingTitle = QT_TRANSLATE_NOOP("TemplateWindow", "ACDC");

template <std::size_t N> QStringList toList(const char *const (&keys)[N])
{
    QStringList list;
    for (const char *key : keys)
        list << QString::fromUtf8(key);
    return list;
}

QString titleFor(const QString &key)
{
    const QByteArray source =
        key == QLatin1String(CouplingKey) ? QByteArray(CouplingTitle) : key.toUtf8();
    return QCoreApplication::translate(Context, source.constData());
}

bool isMode(int mode)
{
    return mode >= DMMData::dmIR && mode <= DMMData::dmRES;
}

} // namespace

QStringList ModelSet::columnKeys(int mode)
{
    switch (mode) {
    case DMMData::dmIR:
        return toList(IrKeys);
    case DMMData::dmTime:
        return toList(TimeKeys);
    case DMMData::dmPI:
        return toList(PiKeys);
    case DMMData::dmDAR:
        return toList(DarKeys);
    case DMMData::dmCOMP:
        return toList(CompKeys);
    case DMMData::dmCAP:
        return toList(CapKeys);
    case DMMData::dmVOLT:
        return toList(VoltKeys);
    case DMMData::dmRES:
        return toList(ResKeys);
    default:
        return QStringList();
    }
}

ModelSet::ModelSet(QObject *parent) : QObject(parent)
{
    for (int mode = 0; mode < ModeCount; ++mode) {
        QList<Column *> list;
        const QStringList keys = columnKeys(mode);
        for (const QString &key : keys)
            list << new Column{titleFor(key), key};
        m_columns << list;
    }

    m_live << new DataModelIR(m_columns[DMMData::dmIR], this)
           << new DataModelTime(m_columns[DMMData::dmTime], this)
           << new DataModelPI(m_columns[DMMData::dmPI], this)
           << new DataModelDAR(m_columns[DMMData::dmDAR], this)
           << new DataModelCOMP(m_columns[DMMData::dmCOMP], this)
           << new DataModelCAP(m_columns[DMMData::dmCAP], this)
           << new DataModelVOLT(m_columns[DMMData::dmVOLT], this)
           << new DataModelRES(m_columns[DMMData::dmRES], this);
    m_stored << new DataModelStoredIR(m_columns[DMMData::dmIR], this)
             << new DataModelStoredTime(m_columns[DMMData::dmTime], this)
             << new DataModelStoredPI(m_columns[DMMData::dmPI], this)
             << new DataModelStoredDAR(m_columns[DMMData::dmDAR], this)
             << new DataModelStoredCOMP(m_columns[DMMData::dmCOMP], this)
             << new DataModelStoredCAP(m_columns[DMMData::dmCAP], this)
             << new DataModelStoredVOLT(m_columns[DMMData::dmVOLT], this)
             << new DataModelStoredRES(m_columns[DMMData::dmRES], this);
}

ModelSet::~ModelSet()
{
    // Models may still be asked for headers while they are torn down, so they
    // go before the columns they point at.
    qDeleteAll(m_live);
    qDeleteAll(m_stored);
    m_live.clear();
    m_stored.clear();
    for (const QList<Column *> &list : qAsConst(m_columns))
        qDeleteAll(list);
}

DataModel *ModelSet::liveModel(int mode) const
{
    return isMode(mode) ? m_live.at(mode) : nullptr;
}

DataModel *ModelSet::storedModel(int mode) const
{
    return isMode(mode) ? m_stored.at(mode) : nullptr;
}

QList<Column *> ModelSet::columns(int mode) const
{
    return isMode(mode) ? m_columns.at(mode) : QList<Column *>();
}
