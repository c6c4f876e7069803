#ifndef DATAMODELSTOREDRES_H
#define DATAMODELSTOREDRES_H

#include "datamodelres.h"

// RES records read from the tester's memory. The tester keeps no date and
// time for them, so the Date/Time column shows "-".
class DataModelStoredRES : public DataModelRES
{
    Q_OBJECT
public:
    DataModelStoredRES(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

#endif // DATAMODELSTOREDRES_H
