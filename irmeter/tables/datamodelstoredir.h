#ifndef DATAMODELSTOREDIR_H
#define DATAMODELSTOREDIR_H

#include "datamodelir.h"

// IR records read from the tester's memory. The tester keeps no date and
// time for them, so the Date/Time column shows "-".
class DataModelStoredIR : public DataModelIR
{
    Q_OBJECT
public:
    DataModelStoredIR(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

#endif // DATAMODELSTOREDIR_H
