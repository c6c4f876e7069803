#ifndef DATAMODELSTOREDVOLT_H
#define DATAMODELSTOREDVOLT_H

#include "datamodelvolt.h"

// VOLT records read from the tester's memory. The tester keeps no date and
// time for them, so the Date/Time column shows "-".
class DataModelStoredVOLT : public DataModelVOLT
{
    Q_OBJECT
public:
    DataModelStoredVOLT(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

#endif // DATAMODELSTOREDVOLT_H
