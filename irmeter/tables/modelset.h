#ifndef MODELSET_H
#define MODELSET_H

#include "datamodel.h"

#include <QList>
#include <QObject>
#include <QStringList>

// The window's tables: one column list per mode and, sharing it, the live and
// the stored model of that mode. The models are children of the set; the
// columns belong to the set and are freed with it, after the models.
class ModelSet : public QObject
{
    Q_OBJECT
public:
    static constexpr int ModeCount = 8;

    explicit ModelSet(QObject *parent = nullptr);
    ~ModelSet() override;

    // Models indexed by DMMData::DataMode; null for a value that is no mode.
    DataModel *liveModel(int mode) const;
    DataModel *storedModel(int mode) const;
    // All eight, dmIR first and dmRES last.
    QList<DataModel *> liveModels() const { return m_live; }
    QList<DataModel *> storedModels() const { return m_stored; }
    QList<Column *> columns(int mode) const;

    // Untranslated header keys of a mode, in column order; empty for no mode.
    static QStringList columnKeys(int mode);

private:
    QList<QList<Column *>> m_columns;
    QList<DataModel *> m_live;
    QList<DataModel *> m_stored;
};

#endif // MODELSET_H
