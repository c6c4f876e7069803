#ifndef DATAMODELRES_H
#define DATAMODELRES_H

#include "datamodel.h"

// Live low-resistance readings.
class DataModelRES : public DataModel
{
    Q_OBJECT
public:
    DataModelRES(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QString getMainTitle() const override;
    QVariant getMainValue(int row) const override;

    static constexpr int MainColumn = 3;
};

#endif // DATAMODELRES_H
