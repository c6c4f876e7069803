#ifndef TEMPLATEWINDOW_H
#define TEMPLATEWINDOW_H

#include "dmmdata.h"
#include "plotvaluerange.h"

#include <QList>
#include <QPointer>
#include <QSharedPointer>
#include <QWidget>

#include "qcustomplotinclude.h"

class DataModel;
class ModelSet;
class MyDMM;
class QMouseEvent;
class QTableView;
class QWheelEvent;
class Ui_TemplateWindow;

// The main window: tool bar, measurement panel, Live and Stored tables and
// the trend plot. Its code is split by concern:
//   templatewindow.cpp         construction, form adjustments, table mode switches
//   templatewindowdisplay.cpp  the measurement panel
//   templatewindowplot.cpp     the trend plot, its mouse handling and image export
//   templatewindowactions.cpp  the tool-bar actions and page switching
//   templatewindowacquisition.cpp  the meter link: Start/Stop, recording, close
//   templatewindowsettings.cpp the settings file and the options dialog
//   templatewindowexport.cpp   Clear and Export of the visible table
class TemplateWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TemplateWindow(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TemplateWindow() override;

    // Number of newest points the key axis shows once there are more.
    static constexpr double ViewPoints = 100.0;

    // Measurement panel: shows one live record; records of no known mode
    // leave the panel unchanged.
    void updateDataToDisplay(QSharedPointer<DMMData> data);
    // Factor that converts a reading in `unit` to megohms.
    static double getUnitMul(const QString &unit);

    // Table mode switches: install the model of `mode` in the view and reload
    // the plot from it; nothing happens when the mode is already shown,
    // unless `force` is set.
    void changeLiveDataMode(DMMData::DataMode mode, bool force);
    void changeStoredDataMode(DMMData::DataMode mode, bool force);
    void updateLiveDataToTableView(QSharedPointer<DMMData> record);
    void updateStoredDataToTableView(QSharedPointer<DMMData> record);

    // Trend plot.
    void addDataToPlot(QSharedPointer<DMMData> record, QCPGraph *graph);
    void updateDataToPlot(QSharedPointer<DMMData> record);
    void updatePlot1();
    void resetPlot();
    void getUsefulAxes(QFlags<Qt::Orientation> &orientations, QList<QCPAxis *> &axes);
    // The value a record contributes to the curve (megohm for the
    // resistance modes).
    static double plotValue(const DMMData &record);

    DataModel *currentLiveModel() const { return m_currentLiveModel; }
    DataModel *currentStoredModel() const { return m_currentStoredModel; }
    int currentLiveMode() const { return m_currentLiveMode; }
    int currentStoredMode() const { return m_currentStoredMode; }
    const QList<QCustomPlot *> &plots() const { return m_plots; }
    ModelSet *models() const { return m_models; }

    // Opens the link on the cable at `path`; shows "Failed to open device."
    // and returns false when that fails.
    bool openDevice(const QString &path);
    // The recording options in force and the running sample timer (0: none).
    QString language() const { return m_language; }
    int samplePoints() const { return m_samplePoints; }
    int sampleInterval() const { return m_sampleInterval; }
    bool recordAtTesttime() const { return m_recordAtTesttime; }
    int sampleTimerId() const { return m_sampleTimerId; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    // Tool-bar and page slots, connected by name when the form is built.
    void on_actionStart_triggered();
    void on_actionPause_triggered(bool checked);
    void on_actionClose_triggered();
    void on_actionOptions_triggered();
    void on_actionClear_triggered();
    void on_actionExport_triggered();
    void on_actionSaveImage_triggered();
    void on_tabWgTV_currentChanged(int index);

    // Meter link.
    void dmmOpened();
    void dmmClosed();
    void communicationTimeout();
    void updateLiveData(QSharedPointer<DMMData> data);
    void updateStoreData(QSharedPointer<DMMData> data);
    void btnStoredModeClicked(bool checked);

    void plot1SelectionChangedByUser();
    void plot1MousePress(QMouseEvent *event);
    void plot1MouseWheel(QWheelEvent *event);
    void plot1MouseMove(QMouseEvent *event);
    void plot1MouseDoubleClick(QMouseEvent *event);

private:
    void initObject();
    void initWidget();
    void initPlot();
    void initConnection();
    void loadSetting();
    void saveSetting();
    void startSampleTimer();
    void stopSampleTimer();
    // The model of the page of tabWgTV in view.
    DataModel *visibleModel() const;
    // Brings the view to its last row once the current event-loop pass ends.
    void scheduleScroll(QTableView *view);
    // Clears the plot and refills it from `model`, named after `mode`.
    void changePlotMode(DMMData::DataMode mode, DataModel *model);
    void removeTracer();

    Ui_TemplateWindow *ui = nullptr;

    // Tables: one live and one stored model per mode, dmIR first.
    ModelSet *m_models = nullptr;
    QList<DataModel *> m_liveModels;
    QList<DataModel *> m_storedModels;
    // -1 is no mode, so the first switch to any mode installs its model.
    int m_currentLiveMode = -1;
    DataModel *m_currentLiveModel = nullptr;
    int m_currentStoredMode = -1;
    DataModel *m_currentStoredModel = nullptr;

    // Meter link and recording.
    MyDMM *m_dmm = nullptr;
    QSharedPointer<DMMData> m_lastLiveRecord;
    bool m_paused = false;
    bool m_sampleDue = false;
    // The plot was last loaded from the Live page.
    bool m_plotShowsLive = true;
    bool m_linkLossReported = false;
    bool m_liveScrollPending = false;
    bool m_storedScrollPending = false;

    // Settings.
    QString m_language = QStringLiteral("0");
    int m_samplePoints = -1;
    int m_sampleInterval = 0;
    bool m_recordAtTesttime = false;
    int m_sampleTimerId = 0;

    // Plot.
    QList<QCustomPlot *> m_plots;
    QPointer<QCPGraph> m_selectedGraph;
    QPointer<QCPItemTracer> m_tracer;
    QPointer<QCPItemText> m_tracerLabel;
    QPointer<QCPTextElement> m_plotTitle;
    // Value range of graph 0, kept as points arrive.
    PlotValueRange m_valueRange;
};

#endif // TEMPLATEWINDOW_H
