#ifndef DATAMODELCAP_H
#define DATAMODELCAP_H

#include "datamodel.h"

// Live capacitance readings.
class DataModelCAP : public DataModel
{
    Q_OBJECT
public:
    DataModelCAP(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QString getMainTitle() const override;
    QVariant getMainValue(int row) const override;

    static constexpr int MainColumn = 3;
};

#endif // DATAMODELCAP_H
