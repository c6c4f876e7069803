#ifndef DATAMODELSTOREDCAP_H
#define DATAMODELSTOREDCAP_H

#include "datamodelcap.h"

// CAP records read from the tester's memory. The tester keeps no date and
// time for them, so the Date/Time column shows "-".
class DataModelStoredCAP : public DataModelCAP
{
    Q_OBJECT
public:
    DataModelStoredCAP(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

#endif // DATAMODELSTOREDCAP_H
