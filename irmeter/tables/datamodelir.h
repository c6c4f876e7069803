#ifndef DATAMODELIR_H
#define DATAMODELIR_H

#include "datamodel.h"

// Live insulation-resistance readings.
class DataModelIR : public DataModel
{
    Q_OBJECT
public:
    DataModelIR(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QString getMainTitle() const override;
    QVariant getMainValue(int row) const override;

    static constexpr int MainColumn = 3;
};

#endif // DATAMODELIR_H
