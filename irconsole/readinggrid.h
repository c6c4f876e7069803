#ifndef READINGGRID_H
#define READINGGRID_H

#include <QTableView>

class ReadingTable;

// The grid DBGrid1 below the record bar: read-only, silver, bold Arial,
// fixed column widths, and it moves to each record as it is appended.
class ReadingGrid : public QTableView
{
    Q_OBJECT
public:
    static constexpr int GridWidth = 617;
    static constexpr int GridHeight = 177;
    static const int ColumnWidths[6];

    explicit ReadingGrid(ReadingTable *table, QWidget *parent = nullptr);
};

#endif // READINGGRID_H
