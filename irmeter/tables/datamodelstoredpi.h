#ifndef DATAMODELSTOREDPI_H
#define DATAMODELSTOREDPI_H

#include "datamodelpi.h"

// PI records read from the tester's memory. The tester keeps no date and
// no set times for them, so those columns show "-".
class DataModelStoredPI : public DataModelPI
{
    Q_OBJECT
public:
    DataModelStoredPI(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

#endif // DATAMODELSTOREDPI_H
