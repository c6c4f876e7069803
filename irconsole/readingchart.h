#ifndef READINGCHART_H
#define READINGCHART_H

#include <QDateTime>
#include <QRect>
#include <QVector>
#include <QWidget>
#include <functional>

class QCheckBox;
class QCPGraph;
class QCustomPlot;
class QLineEdit;
class QPushButton;
class QToolButton;
class ConsoleDialogs;

// The chart area below the grid: the chart Chtshow with one point per
// recorded reading, paged by Maxrecord points per page, and its bar with
// the page buttons, saving, enlarging and the fill switch. This widget is
// the bar; the chart itself is a child of the surface given to it (the
// form's scrolled area), so that enlarging can lay it over the form.
class ReadingChart : public QWidget
{
    Q_OBJECT
public:
    static constexpr double AxisMin = -11000;
    static constexpr double AxisMax = 11000;
    static constexpr int DefaultPointsPerPage = 100;

    explicit ReadingChart(ConsoleDialogs *dialogs, QWidget *surface = nullptr,
                          QWidget *parent = nullptr);

    QCustomPlot *plot() const { return m_plot; }

    // A reading's value in display counts: the digits without the decimal
    // separator, with the sign ("19.05" gives 1905, "-0.512" gives -512).
    // Readings without digits only ("LL", "") give no point.
    static bool displayCounts(const QString &value, int *counts);

    // Adds the point of one recorded reading; returns false when the value
    // yields no point.
    bool addReading(const QString &value);
    // Empties the chart (New, "Delete Graphic").
    void reset();

    QVector<double> points() const { return m_points; }
    int pointsPerPage() const { return m_pointsPerPage; }
    int page() const { return m_page; }
    int pageCount() const;
    bool filled() const;
    bool enlarged() const { return m_enlarged; }

    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void setPage(int page);

    // Folder and clock of the bitmap files; tests replace them.
    static QString defaultSaveFolder();
    void setSaveFolder(const QString &folder) { m_saveFolder = folder; }
    QString saveFolder() const { return m_saveFolder; }
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // The bitmap's name for the current page at the given moment.
    QString bitmapName(const QDateTime &when) const;
    // Saves the current page as a bitmap; returns the full path or "" on
    // failure (which has been shown to the user).
    QString saveActiveGraphic();

    // The form whose height enlarging uses (the top-level window when unset).
    void setForm(QWidget *form) { m_form = form; }
    void toggleEnlarge();

signals:
    void enlargedChanged(bool enlarged);
    void pageChanged(int page);

private:
    void applyPointsPerPage(const QString &text);
    void replot();
    void updateButtons();
    void updateSeriesVisibility();

    ConsoleDialogs *m_dialogs;
    QCustomPlot *m_plot;
    QCPGraph *m_area;
    QCPGraph *m_line;
    QLineEdit *m_maxRecord;
    QPushButton *m_btSave;
    QPushButton *m_btFirst;
    QPushButton *m_btPrevious;
    QPushButton *m_btNext;
    QPushButton *m_btLast;
    QPushButton *m_bt10;
    QToolButton *m_btEnlarge;
    QToolButton *m_btRestore;
    QCheckBox *m_btFill;
    QPushButton *m_btNew;
    QWidget *m_form = nullptr;

    QVector<double> m_points;
    int m_pointsPerPage = DefaultPointsPerPage;
    int m_page = 1;
    bool m_enlarged = false;
    QRect m_restoreGeometry;
    QString m_saveFolder;
    std::function<QDateTime()> m_clock;
};

#endif // READINGCHART_H
