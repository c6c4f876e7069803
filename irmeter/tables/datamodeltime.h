#ifndef DATAMODELTIME_H
#define DATAMODELTIME_H

#include "datamodel.h"

// Live timed insulation tests: running time and set duration.
class DataModelTime : public DataModel
{
    Q_OBJECT
public:
    DataModelTime(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QString getMainTitle() const override;
    QVariant getMainValue(int row) const override;

    static constexpr int MainColumn = 3;
};

#endif // DATAMODELTIME_H
