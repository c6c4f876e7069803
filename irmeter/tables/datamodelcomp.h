#ifndef DATAMODELCOMP_H
#define DATAMODELCOMP_H

#include "datamodel.h"

// Live insulation readings compared against a limit, with the verdict.
class DataModelCOMP : public DataModel
{
    Q_OBJECT
public:
    DataModelCOMP(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QString getMainTitle() const override;
    QVariant getMainValue(int row) const override;

    static constexpr int MainColumn = 4;

private:
    static QString compResultText(quint8 result);
};

#endif // DATAMODELCOMP_H
