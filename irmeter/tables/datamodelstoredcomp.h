#ifndef DATAMODELSTOREDCOMP_H
#define DATAMODELSTOREDCOMP_H

#include "datamodelcomp.h"

// COMP records read from the tester's memory. The tester keeps no date and
// time for them, so the Date/Time column shows "-".
class DataModelStoredCOMP : public DataModelCOMP
{
    Q_OBJECT
public:
    DataModelStoredCOMP(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

#endif // DATAMODELSTOREDCOMP_H
