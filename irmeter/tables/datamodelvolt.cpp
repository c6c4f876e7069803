#include "datamodelvolt.h"

DataModelVOLT::DataModelVOLT(QList<Column *> columns, QObject *parent) : DataModel(columns, parent)
{}

QVariant DataModelVOLT::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole) {
        if (DMMDataVOLT *r = recordAs<DMMDataVOLT>(index, DMMData::dmVOLT)) {
            switch (index.column()) {
            case 3:
                return r->volt.toString();
            case 4:
                return r->coupling;
            default:
                break;
            }
        }
    }
    return DataModel::data(index, role);
}

QString DataModelVOLT::getMainTitle() const
{
    return columnTitle(MainColumn);
}

QVariant DataModelVOLT::getMainValue(int row) const
{
    return mainValue(row, MainColumn);
}
