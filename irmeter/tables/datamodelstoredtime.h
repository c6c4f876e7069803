#ifndef DATAMODELSTOREDTIME_H
#define DATAMODELSTOREDTIME_H

#include "datamodeltime.h"

// Time records read from the tester's memory. The tester keeps no date and
// no set duration for them, so those columns show "-".
class DataModelStoredTime : public DataModelTime
{
    Q_OBJECT
public:
    DataModelStoredTime(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

#endif // DATAMODELSTOREDTIME_H
