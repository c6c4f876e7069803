#ifndef READINGTABLE_H
#define READINGTABLE_H

#include <QAbstractTableModel>
#include <QString>
#include <QTime>
#include <QVector>

// One row of the reading table. No and Time may be empty (null), which
// happens for rows loaded from a file that left those columns out.
struct ReadingRecord
{
    bool hasNo = false;
    int no = 0;
    QTime time; // invalid QTime means an empty field
    QString value;
    QString unit;
    QString vRange;
    QString iRange;

    bool operator==(const ReadingRecord &o) const
    {
        return hasNo == o.hasNo && (!hasNo || no == o.no) && time == o.time && value == o.value &&
               unit == o.unit && vRange == o.vRange && iRange == o.iRange;
    }
};

// The in-memory table of recorded readings (cds1): six fields in a fixed
// order, shown read-only by the grid below the display.
class ReadingTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Field { FieldNo = 0, FieldTime, FieldValue, FieldUnit, FieldVRange, FieldIRange };
    static constexpr int FieldCount = 6;
    static constexpr int StringWidth = 20;

    explicit ReadingTable(QObject *parent = nullptr);

    // Field names as stored in files and the titles shown above the grid.
    static QString fieldName(int field);
    static QString fieldTitle(int field);

    // The system's long time format without a time-zone part: a time of day
    // has no zone.
    static QString systemLongTimeFormat();

    QString timeFormat() const { return m_timeFormat; }
    void setTimeFormat(const QString &format);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int size() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const ReadingRecord &record(int row) const { return m_rows.at(row); }
    const QVector<ReadingRecord> &records() const { return m_rows; }

    // The text a field shows in the grid, in files and in the report.
    QString displayText(int row, int field) const;

    void append(const ReadingRecord &record);
    void replaceAll(const QVector<ReadingRecord> &records);
    void clear();

private:
    QVector<ReadingRecord> m_rows;
    QString m_timeFormat;
};

#endif // READINGTABLE_H
