#include "datamodelcomp.h"

DataModelCOMP::DataModelCOMP(QList<Column *> columns, QObject *parent) : DataModel(columns, parent)
{}

QVariant DataModelCOMP::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole) {
        if (DMMDataCOMP *r = recordAs<DMMDataCOMP>(index, DMMData::dmCOMP)) {
            switch (index.column()) {
            case 3:
                return r->compLimit.toString();
            case 4:
                return over(r->overRange, r->res);
            case 5:
                return compResultText(r->compResult);
            case 6:
                return r->current.toString();
            case 7:
                return r->vset.toString();
            case 8:
                return r->vout.toString();
            default:
                break;
            }
        }
    }
    return DataModel::data(index, role);
}

QString DataModelCOMP::getMainTitle() const
{
    return columnTitle(MainColumn);
}

QVariant DataModelCOMP::getMainValue(int row) const
{
    return mainValue(row, MainColumn);
}

QString DataModelCOMP::compResultText(quint8 result)
{
    if (result == DMMDataCOMP::CompNone)
        return QString();
    return result == DMMDataCOMP::CompPass ? QStringLiteral("PASS") : QStringLiteral("FAIL");
}
