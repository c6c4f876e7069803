#include "readinggrid.h"

#include "readingtable.h"

#include <QHeaderView>

const int ReadingGrid::ColumnWidths[6] = {54, 92, 72, 90, 109, 158};

ReadingGrid::ReadingGrid(ReadingTable *table, QWidget *parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("DBGrid1"));
    setModel(table);
    setFixedSize(GridWidth, GridHeight);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);

    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(8);
    f.setBold(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);

    horizontalHeader()->setFont(f);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < ReadingTable::FieldCount; ++c)
        setColumnWidth(c, ColumnWidths[c]);
    // The narrow indicator column at the left.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(12);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    // A posted record becomes the current one, as the grid shows it at once.
    connect(table, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int, int last) {
                const QModelIndex idx = model()->index(last, 0);
                setCurrentIndex(idx);
                scrollTo(idx);
            });
}
