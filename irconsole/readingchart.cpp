#include "readingchart.h"

#include "consoledialogs.h"
#include "consoleplotinclude.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>

ReadingChart::ReadingChart(ConsoleDialogs *dialogs, QWidget *surface, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs), m_saveFolder(defaultSaveFolder()),
      m_clock([] { return QDateTime::currentDateTime(); })
{
    setObjectName(QStringLiteral("ChartBar"));

    m_plot = new QCustomPlot(surface ? surface : this);
    m_plot->setObjectName(QStringLiteral("Chtshow"));
    m_plot->resize(361, 209);
    m_plot->legend->setVisible(false);
    m_plot->yAxis->setRange(AxisMin, AxisMax);
    m_plot->xAxis->setTicker(QSharedPointer<QCPAxisTickerFixed>::create());
    qSharedPointerCast<QCPAxisTickerFixed>(m_plot->xAxis->ticker())->setTickStep(10);
    qSharedPointerCast<QCPAxisTickerFixed>(m_plot->xAxis->ticker())
        ->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);

    m_area = m_plot->addGraph();
    m_area->setName(QStringLiteral("Area"));
    m_area->setPen(QPen(QColor(0, 0, 160)));
    m_area->setBrush(QBrush(QColor(80, 120, 220, 140)));
    m_line = m_plot->addGraph();
    m_line->setName(QStringLiteral("Line"));
    m_line->setPen(QPen(QColor(200, 0, 0), 1.5));

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);

    auto *perPage = new QLabel(QStringLiteral("Points/Page"), this);
    m_maxRecord = new QLineEdit(QString::number(DefaultPointsPerPage), this);
    m_maxRecord->setObjectName(QStringLiteral("Maxrecord"));
    m_maxRecord->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    m_maxRecord->setMaximumWidth(60);
    grid->addWidget(perPage, 0, 0);
    grid->addWidget(m_maxRecord, 0, 1);

    m_btSave = new QPushButton(QStringLiteral("Save  Active Graphic"), this);
    m_btSave->setObjectName(QStringLiteral("BtSave"));
    grid->addWidget(m_btSave, 1, 0, 1, 2);

    m_btFirst = new QPushButton(QStringLiteral("First"), this);
    m_btFirst->setObjectName(QStringLiteral("BtFirst"));
    m_btPrevious = new QPushButton(QStringLiteral("Previous"), this);
    m_btPrevious->setObjectName(QStringLiteral("BtPrevious"));
    m_btNext = new QPushButton(QStringLiteral("Next"), this);
    m_btNext->setObjectName(QStringLiteral("BtNext"));
    m_btLast = new QPushButton(QStringLiteral("last"), this);
    m_btLast->setObjectName(QStringLiteral("BtLast"));
    m_bt10 = new QPushButton(QStringLiteral("1"), this);
    m_bt10->setObjectName(QStringLiteral("Bt10"));
    grid->addWidget(m_btFirst, 2, 0);
    grid->addWidget(m_btPrevious, 2, 1);
    grid->addWidget(m_bt10, 3, 0, 1, 2);
    grid->addWidget(m_btNext, 4, 0);
    grid->addWidget(m_btLast, 4, 1);

    m_btEnlarge = new QToolButton(this);
    m_btEnlarge->setObjectName(QStringLiteral("BtEnlarge"));
    m_btEnlarge->setIcon(style()->standardIcon(QStyle::SP_TitleBarMaxButton));
    m_btEnlarge->setToolTip(QStringLiteral("Graphic Enlarge"));
    m_btRestore = new QToolButton(this);
    m_btRestore->setObjectName(QStringLiteral("BtRestore"));
    m_btRestore->setIcon(style()->standardIcon(QStyle::SP_TitleBarNormalButton));
    m_btRestore->setToolTip(QStringLiteral("Graphic Restore"));
    m_btRestore->hide();
    grid->addWidget(m_btEnlarge, 5, 0);
    grid->addWidget(m_btRestore, 5, 0);

    m_btFill = new QCheckBox(QStringLiteral("Fill"), this);
    m_btFill->setObjectName(QStringLiteral("BtFill"));
    m_btFill->setChecked(true);
    grid->addWidget(m_btFill, 5, 1);

    m_btNew = new QPushButton(QStringLiteral("Delete Graphic"), this);
    m_btNew->setObjectName(QStringLiteral("BtNew"));
    grid->addWidget(m_btNew, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
    if (!surface) {
        // Without a surface of the form the chart sits beside its bar.
        m_plot->setMinimumSize(361, 209);
        grid->addWidget(m_plot, 0, 2, 8, 1);
    }

    connect(m_maxRecord, &QLineEdit::textChanged, this, &ReadingChart::applyPointsPerPage);
    connect(m_btSave, &QPushButton::clicked, this, [this] { saveActiveGraphic(); });
    connect(m_btFirst, &QPushButton::clicked, this, &ReadingChart::firstPage);
    connect(m_btPrevious, &QPushButton::clicked, this, &ReadingChart::previousPage);
    connect(m_btNext, &QPushButton::clicked, this, &ReadingChart::nextPage);
    connect(m_btLast, &QPushButton::clicked, this, &ReadingChart::lastPage);
    connect(m_btEnlarge, &QToolButton::clicked, this, &ReadingChart::toggleEnlarge);
    connect(m_btRestore, &QToolButton::clicked, this, &ReadingChart::toggleEnlarge);
    connect(m_btFill, &QCheckBox::toggled, this, [this] {
        updateSeriesVisibility();
        m_plot->replot();
    });
    connect(m_btNew, &QPushButton::clicked, this, &ReadingChart::reset);

    updateSeriesVisibility();
    replot();
}

bool ReadingChart::displayCounts(const QString &value, int *counts)
{
    QString t = value.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t.remove(0, 1);
    }
    QString digits;
    for (const QChar c : t) {
        if (c.isDigit())
            digits.append(c);
        else if (c != QLatin1Char('.') && c != QLatin1Char(','))
            return false; // "L" and other non-numeric displays
    }
    if (digits.isEmpty() || digits.size() > 9)
        return false;
    const int n = digits.toInt();
    if (counts)
        *counts = negative ? -n : n;
    return true;
}

bool ReadingChart::addReading(const QString &value)
{
    int counts = 0;
    if (!displayCounts(value, &counts))
        return false;
    const bool followNewest = m_page >= pageCount();
    m_points.append(counts);
    const double x = m_points.size();
    m_area->addData(x, counts);
    m_line->addData(x, counts);
    if (followNewest)
        m_page = pageCount();
    replot();
    return true;
}

void ReadingChart::reset()
{
    m_points.clear();
    m_area->data()->clear();
    m_line->data()->clear();
    m_page = 1;
    replot();
}

int ReadingChart::pageCount() const
{
    if (m_pointsPerPage <= 0 || m_points.isEmpty())
        return 1;
    return (m_points.size() + m_pointsPerPage - 1) / m_pointsPerPage;
}

bool ReadingChart::filled() const
{
    return m_btFill->isChecked();
}

void ReadingChart::firstPage()
{
    setPage(1);
}

void ReadingChart::previousPage()
{
    setPage(m_page - 1);
}

void ReadingChart::nextPage()
{
    setPage(m_page + 1);
}

void ReadingChart::lastPage()
{
    setPage(pageCount());
}

void ReadingChart::setPage(int page)
{
    const int p = qBound(1, page, pageCount());
    if (p == m_page)
        return;
    m_page = p;
    replot();
}

void ReadingChart::applyPointsPerPage(const QString &text)
{
    // Empty or 0 shows every point on one page.
    bool ok = false;
    const int n = text.toInt(&ok);
    m_pointsPerPage = ok ? n : 0;
    m_page = qBound(1, m_page, pageCount());
    replot();
}

void ReadingChart::replot()
{
    if (m_pointsPerPage > 0) {
        const double first = double(m_page - 1) * m_pointsPerPage;
        m_plot->xAxis->setRange(first + 0.5, first + m_pointsPerPage + 0.5);
    } else {
        m_plot->xAxis->setRange(0.5, qMax(1, m_points.size()) + 0.5);
    }
    m_plot->yAxis->setRange(AxisMin, AxisMax);
    updateButtons();
    m_plot->replot();
    emit pageChanged(m_page);
}

void ReadingChart::updateButtons()
{
    const int pages = pageCount();
    m_btFirst->setEnabled(m_page > 1);
    m_btPrevious->setEnabled(m_page > 1);
    m_btNext->setEnabled(m_page < pages);
    m_btLast->setEnabled(m_page < pages);
    m_bt10->setText(QString::number(m_page));
}

void ReadingChart::updateSeriesVisibility()
{
    m_area->setVisible(filled());
    m_line->setVisible(!filled());
}

QString ReadingChart::defaultSaveFolder()
{
#ifdef Q_OS_WIN
    const QDir fixed(QStringLiteral("c:/TestGraph"));
    if (fixed.exists())
        return QStringLiteral("c:/TestGraph");
#endif
    QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (pictures.isEmpty())
        pictures = QDir::homePath();
    return QDir(pictures).filePath(QStringLiteral("TestGraph"));
}

QString ReadingChart::bitmapName(const QDateTime &when) const
{
    return when.toString(QStringLiteral("yyMMddHHmm")) + QStringLiteral("page") +
           QString::number(m_page) + QStringLiteral(".bmp");
}

QString ReadingChart::saveActiveGraphic()
{
    const QString name = bitmapName(m_clock());
    QDir folder(m_saveFolder);
    const QString path = folder.filePath(name);
    QString cause;
    if (!folder.exists() && !QDir().mkpath(m_saveFolder))
        cause = QStringLiteral("the folder %1 could not be created")
                    .arg(QDir::toNativeSeparators(m_saveFolder));
    else if (!m_plot->saveBmp(path))
        cause = QStringLiteral("the file could not be written");
    if (!cause.isEmpty()) {
        if (m_dialogs)
            m_dialogs->message(QStringLiteral("Error"),
                               QStringLiteral("Could not save the graphic to %1: %2")
                                   .arg(QDir::toNativeSeparators(path), cause),
                               ConsoleDialogs::Icon::Error);
        return QString();
    }
    // Told only once the file is there.
    if (m_dialogs)
        m_dialogs->message(QString(),
                           QStringLiteral("graphic has saved on ") +
                               QDir::toNativeSeparators(m_saveFolder + QLatin1Char('/')) + name,
                           ConsoleDialogs::Icon::Information);
    return path;
}

void ReadingChart::toggleEnlarge()
{
    QWidget *form = m_form ? m_form : window();
    if (form->height() > 600)
        form->resize(form->width(), 564);
    if (m_plot->y() <= 50 && m_restoreGeometry.isValid()) {
        m_plot->setGeometry(m_restoreGeometry);
        m_btEnlarge->show();
        m_btRestore->hide();
        m_enlarged = false;
    } else {
        m_restoreGeometry = m_plot->geometry();
        m_plot->setGeometry(2, 30, form->width() - 12, form->height() - 90);
        m_plot->raise();
        m_btRestore->show();
        m_btEnlarge->hide();
        m_enlarged = true;
    }
    m_plot->replot();
    emit enlargedChanged(m_enlarged);
}
