#include "recordarea.h"

#include "consoledialogs.h"
#include "consolemenus.h"
#include "consoleplotinclude.h"
#include "readingchart.h"
#include "readinggrid.h"
#include "readingrecorder.h"
#include "readingtable.h"
#include "recordactions.h"
#include "recordbar.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

void fillPlace(QWidget *place, QWidget *content)
{
    auto *layout = new QVBoxLayout(place);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

} // namespace

RecordArea::RecordArea(const Places &places, QObject *parent)
    : QObject(parent), m_dialogs(new ConsoleDialogs(places.form)), m_table(new ReadingTable(this)),
      m_recorder(new ReadingRecorder(m_table, this)),
      m_actions(new RecordActions(m_table, m_recorder, m_dialogs, this)),
      m_sampInterTime(new QTimer(this))
{
    if (places.recordBar) {
        m_recordBar = new RecordBar(places.recordBar);
        fillPlace(places.recordBar, m_recordBar);
        m_recorder->setRepeat(m_recordBar->repeatSet()->isChecked());
        m_recorder->setIntervalEnabled(m_recordBar->recordSI()->isChecked());
        m_recorder->setIntervalText(m_recordBar->recordSITime()->text());
        connect(m_recordBar->repeatSet(), &QCheckBox::toggled, m_recorder,
                &ReadingRecorder::setRepeat);
        connect(m_recordBar->recordSI(), &QCheckBox::toggled, m_recorder,
                &ReadingRecorder::setIntervalEnabled);
    }
    if (places.grid) {
        m_grid = new ReadingGrid(m_table, places.grid);
        fillPlace(places.grid, m_grid);
    }
    if (places.chartBar) {
        QWidget *surface = places.surface ? places.surface : places.chartBar;
        m_chart = new ReadingChart(m_dialogs, surface, places.chartBar);
        fillPlace(places.chartBar, m_chart);
        m_chart->setForm(places.form);
        if (places.chart) {
            m_chart->plot()->setGeometry(places.chart->geometry());
            places.chart->hide();
        }
        m_chart->plot()->show();
        m_actions->setChart(m_chart);
        connect(m_recorder, &ReadingRecorder::recorded, m_chart,
                [this](int, const QString &value) { m_chart->addReading(value); });
    }
    if (places.fileMenu && places.recordMenu) {
        m_menus = ConsoleMenus::fill(places.fileMenu, places.recordMenu);
        connect(m_menus, &ConsoleMenus::limitChosen, m_recorder, &ReadingRecorder::setRecordLimit);
    }
    m_sampInterTime->setObjectName(QStringLiteral("SampInterTime"));
    m_sampInterTime->setInterval(1000);
}

RecordArea::~RecordArea()
{
    delete m_dialogs;
}
