#ifndef DATAMODELSTOREDDAR_H
#define DATAMODELSTOREDDAR_H

#include "datamodeldar.h"

// DAR records read from the tester's memory. The tester keeps no date and
// no set times for them, so those columns show "-".
class DataModelStoredDAR : public DataModelDAR
{
    Q_OBJECT
public:
    DataModelStoredDAR(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

#endif // DATAMODELSTOREDDAR_H
