#include "datamodel.h"

#include "timebox.h"

#include <QLocale>
#include <QMetaEnum>

namespace {

QMetaEnum dataModeEnum()
{
    const QMetaObject &mo = DMMData::staticMetaObject;
    return mo.enumerator(mo.indexOfEnumerator("DataMode"));
}

} // namespace

DataModel::DataModel(QList<Column *> columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns)
{}

int DataModel::rowCount(const QModelIndex &) const
{
    return m_records.size();
}

int DataModel::columnCount(const QModelIndex &) const
{
    return m_columns.size();
}

DMMData *DataModel::recordAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() < 0 || index.column() < 0 ||
        index.row() >= m_records.size())
        return nullptr;
    return m_records.at(index.row()).data();
}

QVariant DataModel::data(const QModelIndex &index, int role) const
{
    const DMMData *record = recordAt(index);
    if (!record)
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case 0:
        return index.row() + 1;
    case 1:
        return QLocale().toString(record->dateTime, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case 2: {
        static const QMetaEnum modes = dataModeEnum();
        const char *key = modes.valueToKey(record->mode);
        return key ? QString::fromLatin1(key).mid(2) : QString();
    }
    default:
        return QVariant();
    }
}

QVariant DataModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QVariant();
    const Column *column = m_columns.at(section);
    if (!column)
        return QVariant();
    if (role == Qt::DisplayRole)
        return column->title;
    if (role == KeyRole)
        return column->key;
    return QVariant();
}

Qt::ItemFlags DataModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) & ~Qt::ItemIsEditable;
}

int DataModel::addData(QSharedPointer<DMMData> record)
{
    const int row = m_records.size();
    beginInsertRows(QModelIndex(), row, row);
    m_records.append(std::move(record));
    endInsertRows();
    return m_records.size();
}

void DataModel::clear()
{
    const int count = m_records.size();
    if (count == 0)
        return;
    beginRemoveRows(QModelIndex(), 0, count - 1);
    QList<QSharedPointer<DMMData>> old;
    old.swap(m_records);
    old.clear();
    endRemoveRows();
}

QList<QSharedPointer<DMMData>> DataModel::getData() const
{
    return m_records;
}

QString DataModel::columnTitle(int column) const
{
    return headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

QVariant DataModel::mainValue(int row, int mainColumn) const
{
    return data(index(row, mainColumn), Qt::DisplayRole);
}

QString DataModel::getVOLTViewStr(QSharedPointer<DMMDataVOLT> record)
{
    return record ? record->volt.toString() : QString();
}

QString DataModel::getCAPViewStr(QSharedPointer<DMMDataCAP> record)
{
    return record ? record->cap.toString() : QString();
}

QVariant DataModel::piDarCell(DMMDataPIDAR &r, ValueBox &ratio, int column)
{
    switch (column) {
    case 3:
        return over(r.overRange, r.res);
    case 4:
        return over(r.res2OverRange, r.res2);
    case 5:
        return ratio.toString();
    case 6:
        return TimeBox::convertString(r.elapsedTime);
    case 7:
        return TimeBox::convertString(r.setTime);
    case 8:
        return TimeBox::convertString(r.setTime2);
    case 9:
        return r.current.toString();
    case 10:
        return r.vset.toString();
    case 11:
        return r.vout.toString();
    default:
        return {};
    }
}
