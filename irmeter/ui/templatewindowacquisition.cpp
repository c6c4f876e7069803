#include "templatewindow.h"

#include "datamodel.h"
#include "dialoghooks.h"
#include "hiddevice.h"
#include "mydmm.h"
#include "ui_templatewindow.h"
#include "utils.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTimerEvent>

namespace {
constexpr ushort CableVendorId = 0x1A86;
constexpr ushort CableProductId = 0xE429;

bool isKnownMode(int mode)
{
    return mode >= DMMData::dmIR && mode <= DMMData::dmRES;
}
} // namespace

void TemplateWindow::initConnection()
{
    connect(m_dmm, &MyDMM::updateLiveData, this, &TemplateWindow::updateLiveData);
    connect(m_dmm, &MyDMM::communicationTimeout, this, &TemplateWindow::communicationTimeout);
    connect(m_dmm, &MyDMM::opened, this, &TemplateWindow::dmmOpened);
    connect(m_dmm, &MyDMM::closed, this, &TemplateWindow::dmmClosed);
    connect(m_dmm, &MyDMM::updateStoreData, this, &TemplateWindow::updateStoreData);

    const QPushButton *buttons[] = {ui->btnStoredIR,   ui->btnStoredPI,   ui->btnStoredTime,
                                    ui->btnStoredDAR,  ui->btnStoredCOMP, ui->btnStoredCAP,
                                    ui->btnStoredVOLT, ui->btnStoredRES};
    for (const QPushButton *button : buttons)
        connect(button, &QPushButton::clicked, this, &TemplateWindow::btnStoredModeClicked);
}

void TemplateWindow::on_actionStart_triggered()
{
    if (m_dmm->actived()) {
        m_dmm->close();
        return;
    }

    QStringList paths;
    const QList<HIDDevInfo> devices = HIDDevice::enumerate(CableVendorId, CableProductId);
    for (const HIDDevInfo &info : devices)
        paths << info.path;
    if (paths.isEmpty()) {
        DialogHooks::message(QMessageBox::Warning, this, QString(), tr("No valid device found."),
                             QMessageBox::Ok);
        return;
    }

    QString path = paths.first();
    if (paths.size() > 1) {
        bool ok = false;
        const QString chosen = DialogHooks::getItem(
            this, tr("Choose the Device"), QStringLiteral("Devices"), paths, 0, false, &ok);
        // Cancelling keeps the first cable: the user asked to start.
        if (ok && !chosen.isEmpty())
            path = chosen;
    }
    openDevice(path);
}

bool TemplateWindow::openDevice(const QString &path)
{
    if (m_dmm->open(path))
        return true;
    DialogHooks::message(QMessageBox::Warning, this, QString(), tr("Failed to open device."),
                         QMessageBox::Ok);
    return false;
}

void TemplateWindow::on_actionPause_triggered(bool checked)
{
    m_paused = checked;
    m_sampleDue = false;
}

void TemplateWindow::dmmOpened()
{
    // A new connection may report its own loss again.
    m_linkLossReported = false;
    ui->actionStart->setCheckable(true);
    ui->actionStart->setChecked(true);
}

void TemplateWindow::dmmClosed()
{
    ui->actionStart->setChecked(false);
    ui->actionStart->setCheckable(false);
}

void TemplateWindow::communicationTimeout()
{
    // A lost cable can be reported by the transport and by the controller;
    // the user hears of it once per connection.
    if (m_linkLossReported)
        return;
    m_linkLossReported = true;
    DialogHooks::message(QMessageBox::Critical, this, QString(),
                         tr("Data communication error.The equipment may have been disconnected."),
                         QMessageBox::Ok);
}

void TemplateWindow::updateLiveData(QSharedPointer<DMMData> data)
{
    if (!data)
        return;
    m_lastLiveRecord = data;
    updateDataToDisplay(data);

    if (m_paused)
        return;
    if (m_samplePoints != -1 && m_currentLiveModel &&
        m_currentLiveModel->rowCount(QModelIndex()) >= m_samplePoints)
        return;
    if (m_sampleInterval != 0 && !m_sampleDue)
        return;
    m_sampleDue = false;
    if (ui->tabWgTV->currentIndex() != 0)
        return;
    // A record of no known mode has no table to go to.
    if (!isKnownMode(data->mode))
        return;

    changeLiveDataMode(data->mode, !m_plotShowsLive);
    m_plotShowsLive = true;

    if (data->mode == DMMData::dmVOLT || !m_recordAtTesttime || data->testing) {
        updateLiveDataToTableView(data);
        updateDataToPlot(data);
    }
}

void TemplateWindow::updateStoreData(QSharedPointer<DMMData> data)
{
    if (!data || !isKnownMode(data->mode))
        return;

    changeStoredDataMode(data->mode, m_plotShowsLive);
    m_plotShowsLive = false;

    updateStoredDataToTableView(data);
    updateDataToPlot(data);

    {
        const QSignalBlocker blocker(ui->tabWgTV);
        ui->tabWgTV->setCurrentIndex(1);
    }

    const QList<QObject *> buttons =
        Utils::getChildObject(ui->frame, {QStringLiteral("QPushButton")}, true);
    for (QObject *object : buttons) {
        auto *button = static_cast<QPushButton *>(object);
        if (button->property("StoredMode").toInt() == int(data->mode)) {
            const QSignalBlocker blocker(button);
            button->setChecked(true);
            break;
        }
    }
}

void TemplateWindow::btnStoredModeClicked(bool checked)
{
    Q_UNUSED(checked)
    const QObject *button = sender();
    if (!button)
        return;
    const int mode = button->property("StoredMode").toInt();
    if (isKnownMode(mode))
        changeStoredDataMode(static_cast<DMMData::DataMode>(mode), false);
}

void TemplateWindow::scheduleScroll(QTableView *view)
{
    // Scrolling to the last row lays the view out; with readings arriving
    // faster than the screen refreshes that is done once per event-loop pass,
    // after the rows of that pass are in.
    if (view == ui->tv1) {
        if (m_liveScrollPending)
            return;
        m_liveScrollPending = true;
    } else {
        if (m_storedScrollPending)
            return;
        m_storedScrollPending = true;
    }
    QTimer::singleShot(0, this, [this, view] {
        if (view == ui->tv1)
            m_liveScrollPending = false;
        else
            m_storedScrollPending = false;
        view->scrollToBottom();
    });
}

void TemplateWindow::timerEvent(QTimerEvent *event)
{
    Q_UNUSED(event)
    m_sampleDue = true;
}

void TemplateWindow::closeEvent(QCloseEvent *event)
{
    stopSampleTimer();
    m_dmm->close();
    saveSetting();
    event->accept();
}
