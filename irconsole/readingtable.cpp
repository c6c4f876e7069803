#include "readingtable.h"

#include <QLocale>

namespace {

const char *const kFieldNames[ReadingTable::FieldCount] = {"No",   "Time",    "Value",
                                                           "Unit", "V_Range", "I_Range"};
const char *const kFieldTitles[ReadingTable::FieldCount] = {"No",   "Time",     "Value",
                                                            "Unit", "Function", "Remark"};

} // namespace

ReadingTable::ReadingTable(QObject *parent)
    : QAbstractTableModel(parent), m_timeFormat(systemLongTimeFormat())
{}

QString ReadingTable::fieldName(int field)
{
    if (field < 0 || field >= FieldCount)
        return QString();
    return QString::fromLatin1(kFieldNames[field]);
}

QString ReadingTable::fieldTitle(int field)
{
    if (field < 0 || field >= FieldCount)
        return QString();
    return QString::fromLatin1(kFieldTitles[field]);
}

QString ReadingTable::systemLongTimeFormat()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    // Drop the time-zone designator ("t") that some locales append, together
    // with the blank in front of it. Quoted literal text is left alone.
    QString out;
    bool quoted = false;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out.append(c);
    }
    out = out.trimmed();
    if (out.isEmpty())
        out = QStringLiteral("HH:mm:ss");
    return out;
}

void ReadingTable::setTimeFormat(const QString &format)
{
    m_timeFormat = format.isEmpty() ? systemLongTimeFormat() : format;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, FieldTime), index(m_rows.size() - 1, FieldTime));
}

int ReadingTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int ReadingTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FieldCount;
}

QString ReadingTable::displayText(int row, int field) const
{
    if (row < 0 || row >= m_rows.size())
        return QString();
    const ReadingRecord &r = m_rows.at(row);
    switch (field) {
    case FieldNo:
        return r.hasNo ? QString::number(r.no) : QString();
    case FieldTime:
        return r.time.isValid() ? r.time.toString(m_timeFormat) : QString();
    case FieldValue:
        return r.value;
    case FieldUnit:
        return r.unit;
    case FieldVRange:
        return r.vRange;
    case FieldIRange:
        return r.iRange;
    default:
        return QString();
    }
}

QVariant ReadingTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= FieldCount)
        return QVariant();
    if (role == Qt::DisplayRole)
        return displayText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        const int horizontal = index.column() == FieldIRange ? Qt::AlignLeft : Qt::AlignHCenter;
        return horizontal | Qt::AlignVCenter;
    }
    return QVariant();
}

QVariant ReadingTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole)
            return fieldTitle(section);
        if (role == Qt::TextAlignmentRole) {
            const int horizontal = section == FieldIRange ? Qt::AlignLeft : Qt::AlignHCenter;
            return horizontal | Qt::AlignVCenter;
        }
        return QVariant();
    }
    // The row indicator column carries no numbers.
    if (role == Qt::DisplayRole)
        return QString();
    return QVariant();
}

Qt::ItemFlags ReadingTable::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ReadingTable::append(const ReadingRecord &record)
{
    const int row = m_rows.size();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.append(record);
    endInsertRows();
}

void ReadingTable::replaceAll(const QVector<ReadingRecord> &records)
{
    beginResetModel();
    m_rows = records;
    endResetModel();
}

void ReadingTable::clear()
{
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}
