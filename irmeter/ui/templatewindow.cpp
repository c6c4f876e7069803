#include "templatewindow.h"

#include "datamodel.h"
#include "modelset.h"
#include "mydmm.h"
#include "proglobal.h"
#include "ui_templatewindow.h"

#include <QHeaderView>
#include <QTabBar>

// The resource bundle lives in the static core library; it has to be
// registered explicitly or the linker drops it.
static void initResources()
{
    Q_INIT_RESOURCE(irmeter);
}

TemplateWindow::TemplateWindow(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), ui(new Ui_TemplateWindow)
{
    initResources();
    ui->setupUi(this);
    initObject();
    initWidget();
    initConnection();
    loadSetting();
    startSampleTimer();
}

TemplateWindow::~TemplateWindow()
{
    // The link closes when it is destroyed with the window's children, after
    // the form is gone; its last signals must not reach the window.
    if (m_dmm)
        disconnect(m_dmm, nullptr, this, nullptr);
    delete ui;
}

void TemplateWindow::initObject()
{
    m_models = new ModelSet(this);
    m_liveModels = m_models->liveModels();
    m_storedModels = m_models->storedModels();
    m_dmm = new MyDMM(this);
}

void TemplateWindow::initWidget()
{
    setWindowTitle(QStringLiteral("%1 %2").arg(ProGlobal::instance()->appTitle(),
                                               ProGlobal::instance()->appVersion()));
    setWindowIcon(QIcon(QStringLiteral(":images/app2.ico")));

    // A stretching spacer pushes Close to the right end of the tool bar.
    auto *spacer = new QWidget();
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ui->toolBarMain->addWidget(spacer);
    ui->toolBarMain->addAction(ui->actionClose);

    ui->actionPause->setCheckable(true);
    ui->actionStart->setCheckable(false);

    ui->splitterMain->setSizes({100, 200});

    ui->tabWidgetChart->tabBar()->hide();
    ui->tabWidget->setTabPosition(QTabWidget::North);
    ui->tabWidget->tabBar()->hide();
    ui->tabWidget->setTabText(0, QString());

    initPlot();

    ui->tv1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    ui->tv1->horizontalHeader()->setSectionsClickable(false);
    ui->tv1->setSelectionBehavior(QAbstractItemView::SelectRows);

    changeLiveDataMode(DMMData::dmIR, false);
    changeStoredDataMode(DMMData::dmIR, false);

    m_plots.append(ui->plot1);

    const struct
    {
        QPushButton *button;
        DMMData::DataMode mode;
    } storedButtons[] = {
        {ui->btnStoredIR, DMMData::dmIR},     {ui->btnStoredTime, DMMData::dmTime},
        {ui->btnStoredPI, DMMData::dmPI},     {ui->btnStoredDAR, DMMData::dmDAR},
        {ui->btnStoredCOMP, DMMData::dmCOMP}, {ui->btnStoredCAP, DMMData::dmCAP},
        {ui->btnStoredVOLT, DMMData::dmVOLT}, {ui->btnStoredRES, DMMData::dmRES},
    };
    for (const auto &entry : storedButtons)
        entry.button->setProperty("StoredMode", int(entry.mode));
}

void TemplateWindow::changeLiveDataMode(DMMData::DataMode mode, bool force)
{
    DataModel *model = m_models->liveModel(mode);
    if (!model || (mode == m_currentLiveMode && !force))
        return;
    m_currentLiveMode = mode;
    m_currentLiveModel = model;
    ui->tv1->setModel(model);
    ui->tv1->setColumnWidth(0, 50);
    ui->tv1->setColumnWidth(1, 160);
    ui->tv1->setColumnWidth(2, 50);
    changePlotMode(mode, model);
}

void TemplateWindow::changeStoredDataMode(DMMData::DataMode mode, bool force)
{
    DataModel *model = m_models->storedModel(mode);
    if (!model || (mode == m_currentStoredMode && !force))
        return;
    m_currentStoredMode = mode;
    m_currentStoredModel = model;
    ui->tvStored->setModel(model);
    ui->tvStored->setColumnWidth(0, 50);
    ui->tvStored->setColumnWidth(1, 160);
    ui->tvStored->setColumnWidth(2, 50);
    changePlotMode(mode, model);
}

void TemplateWindow::updateLiveDataToTableView(QSharedPointer<DMMData> record)
{
    if (!m_currentLiveModel || !record)
        return;
    m_currentLiveModel->addData(record);
    scheduleScroll(ui->tv1);
}

void TemplateWindow::updateStoredDataToTableView(QSharedPointer<DMMData> record)
{
    if (!m_currentStoredModel || !record)
        return;
    m_currentStoredModel->addData(record);
    scheduleScroll(ui->tvStored);
}
