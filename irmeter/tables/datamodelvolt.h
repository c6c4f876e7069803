#ifndef DATAMODELVOLT_H
#define DATAMODELVOLT_H

#include "datamodel.h"

// Live voltage readings; an overload is shown by its text, never by ">".
class DataModelVOLT : public DataModel
{
    Q_OBJECT
public:
    DataModelVOLT(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QString getMainTitle() const override;
    QVariant getMainValue(int row) const override;

    static constexpr int MainColumn = 3;
};

#endif // DATAMODELVOLT_H
