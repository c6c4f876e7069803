#include "datamodeldar.h"

#include "timebox.h"

DataModelDAR::DataModelDAR(QList<Column *> columns, QObject *parent) : DataModel(columns, parent) {}

QVariant DataModelDAR::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole) {
        if (DMMDataDAR *r = recordAs<DMMDataDAR>(index, DMMData::dmDAR)) {
            switch (index.column()) {
            case 3:
                return over(r->overRange, r->res);
            case 4:
                return over(r->res2OverRange, r->res2);
            case 5:
                return r->darRatio.toString();
            case 6:
                return TimeBox::convertString(r->elapsedTime);
            case 7:
                return TimeBox::convertString(r->setTime);
            case 8:
                return TimeBox::convertString(r->setTime2);
            case 9:
                return r->current.toString();
            case 10:
                return r->vset.toString();
            case 11:
                return r->vout.toString();
            default:
                break;
            }
        }
    }
    return DataModel::data(index, role);
}

QString DataModelDAR::getMainTitle() const
{
    return columnTitle(MainColumn);
}

QVariant DataModelDAR::getMainValue(int row) const
{
    return mainValue(row, MainColumn);
}
