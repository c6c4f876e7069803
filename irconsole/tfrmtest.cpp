#include "tfrmtest.h"

#include "clickpanel.h"
#include "hiddevice.h"
#include "hiddevicecontroller.h"
#include "lcdpanel.h"
#include "tfrmtestlayout.h"

#include <QApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>

namespace {

const QString kCableName = QStringLiteral("USB to Serial");
const QString kConnect = QStringLiteral("CONNECT");
const QString kDisconnect = QStringLiteral("DISCONNECT");

QString hex2(unsigned value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

QString hex4(unsigned value)
{
    return QString::number(value & 0xFFFF, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

} // namespace

TFrmTest::TFrmTest(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FrmTest"));
    setWindowTitle(QStringLiteral("Velmor Interface Program V2.00"));
    functionText = QStringLiteral("IR:500V 20G") + QChar(0x03A9);
    decimalSeparator = QLocale::system().decimalPoint();

    createForm();
    createRecordArea();

    // The form is not resizable and starts centred on the desktop.
    adjustSize();
    setFixedSize(sizeHint());
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    ConTimer = new QTimer(this);
    ConTimer->setObjectName(QStringLiteral("ConTimer"));
    ConTimer->setInterval(100);
    connect(ConTimer, &QTimer::timeout, this, &TFrmTest::ConTimerTimer);
    ConTimer->start();

    HidCtl = new HidDeviceController(this);
    HidCtl->setObjectName(QStringLiteral("HidCtl"));
    connect(HidCtl, &HidDeviceController::deviceChange, this, &TFrmTest::HidCtlDeviceChange);
    connect(HidCtl, &HidDeviceController::arrival, this, &TFrmTest::HidCtlArrival);
    connect(HidCtl, &HidDeviceController::removal, this, &TFrmTest::HidCtlRemoval);
    connect(HidCtl, &HidDeviceController::deviceDataError, this, &TFrmTest::HidCtlDeviceDataError);
    HidCtl->start(); // reports the device set once
}

TFrmTest::~TFrmTest()
{
    // Stop every reader thread before the form's state goes away.
    delete HidCtl;
    HidCtl = nullptr;
}

void TFrmTest::createForm()
{
    FileMenu = menuBar()->addMenu(QStringLiteral("File"));
    FileMenu->setObjectName(QStringLiteral("File1"));
    RecordMenu = menuBar()->addMenu(QStringLiteral("Record"));
    RecordMenu->setObjectName(QStringLiteral("Record1"));

    ClientArea = new QScrollArea(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setFrameShape(QFrame::NoFrame);
    ClientArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ClientArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int scrollBar = ClientArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    ClientArea->setFixedSize(FrmLayout::kClientWidth + scrollBar, FrmLayout::kClientHeight);
    setCentralWidget(ClientArea);

    ClientContent = new QWidget;
    ClientContent->setObjectName(QStringLiteral("ClientContent"));
    ClientContent->setFixedSize(FrmLayout::kClientWidth, FrmLayout::kContentHeight);
    QPalette grey = ClientContent->palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0)); // the form's grey
    ClientContent->setPalette(grey);
    ClientContent->setAutoFillBackground(true);
    ClientArea->setWidget(ClientContent);

    Panel2 = new ClickPanel(kConnect, ClientContent);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(FrmLayout::connectPanel());
    connect(Panel2, &ClickPanel::clicked, this, &TFrmTest::Panel2Click);

    Panel3 = new ClickPanel(QStringLiteral("EXIT"), ClientContent);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(FrmLayout::exitPanel());
    connect(Panel3, &ClickPanel::clicked, this, &TFrmTest::Panel3Click);

    Panel4 = new LcdPanel(ClientContent);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setGeometry(FrmLayout::display());

    auto place = [this](const char *name, const QRect &geometry) {
        auto *w = new QWidget(ClientContent);
        w->setObjectName(QLatin1String(name));
        w->setGeometry(geometry);
        return w;
    };
    RecordBarArea = place("RecordBarArea", FrmLayout::recordBar());
    GridArea = place("GridArea", FrmLayout::grid());
    ChartArea = place("ChartArea", FrmLayout::chart());
    ChartBarArea = place("ChartBarArea", FrmLayout::chartBar());

    DevListBox = new QListWidget(ClientContent);
    DevListBox->setObjectName(QStringLiteral("DevListBox"));
    DevListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    DevListBox->hide();

    HistoryListBox = new QListWidget(ClientContent);
    HistoryListBox->setObjectName(QStringLiteral("HistoryListBox"));
    HistoryListBox->hide();

    USBCon = new QPushButton(QStringLiteral("USB"), ClientContent);
    USBCon->setObjectName(QStringLiteral("USBCon"));
    USBCon->setCheckable(true);
    USBCon->hide();
}

void TFrmTest::showInformation(const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok,
                    this);
    box.exec();
}

void TFrmTest::message(const QString &text)
{
    emit messageShown(text);
    showInformation(text);
}

void TFrmTest::quitApplication()
{
    QCoreApplication::quit();
}

void TFrmTest::addHistory(const QString &entry)
{
    // The list is never shown; keep it from growing without bound.
    while (HistoryListBox->count() >= kMaxHistoryEntries)
        delete HistoryListBox->takeItem(0);
    HistoryListBox->addItem(entry);
    HistoryListBox->setCurrentRow(HistoryListBox->count() - 1);
}

bool TFrmTest::isConnected() const
{
    return USBCon->isChecked();
}

void TFrmTest::setUsbConDown(bool down)
{
    USBCon->setChecked(down);
}

HidDevice *TFrmTest::currentDevice() const
{
    return m_currentDevice.data();
}

HidDevice *TFrmTest::selectedDevice() const
{
    const QList<QListWidgetItem *> items = DevListBox->selectedItems();
    if (items.isEmpty())
        return nullptr;
    return qobject_cast<HidDevice *>(items.first()->data(Qt::UserRole).value<QObject *>());
}

QByteArray TFrmTest::featureReport()
{
    // Report ID 0, 2400 bit/s low byte first, serial format byte 3.
    static const char bytes[10] = {0x00, 0x60, 0x09, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00};
    return QByteArray(bytes, sizeof bytes);
}

QString TFrmTest::DescribeDevice(const HidDevice *device)
{
    if (!device)
        return QString();
    QString text = device->productName();
    if (text.isEmpty())
        text = QStringLiteral("Device VID=%1 PID=%2")
                   .arg(hex4(device->vendorId()), hex4(device->productId()));
    if (!device->serialNumber().isEmpty())
        text += QStringLiteral(" (Serial=%1)").arg(device->serialNumber());
    return text;
}

// --- controller events ---

void TFrmTest::HidCtlDeviceChange()
{
    ReadBtnClick(); // stop reading from the current device
    for (int i = 0; i < DevListBox->count(); ++i) {
        auto *device =
            qobject_cast<HidDevice *>(DevListBox->item(i)->data(Qt::UserRole).value<QObject *>());
        HidCtl->checkIn(device);
    }
    DevListBox->clear();
    HidCtl->enumerate(
        [this](HidDevice *device, int index) { return HidCtlEnumerate(device, index); });
    DevListBox->clearSelection();
    DevListBox->setCurrentRow(-1);
    for (int i = DevListBox->count() - 1; i >= 0; --i) {
        if (DevListBox->item(i)->text() == kCableName) {
            DevListBox->setCurrentRow(i);
            DevListBox->item(i)->setSelected(true);
            break;
        }
    }
}

bool TFrmTest::HidCtlEnumerate(HidDevice *device, int index)
{
    auto *item = new QListWidgetItem(DescribeDevice(device));
    HidDevice *checkedOut = HidCtl->checkOutByIndex(index);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject *>(checkedOut)));
    DevListBox->addItem(item);
    return true;
}

void TFrmTest::HidCtlArrival(HidDevice *device)
{
    addHistory(QStringLiteral("Arrival of ") + DescribeDevice(device));
}

void TFrmTest::HidCtlRemoval(HidDevice *device)
{
    addHistory(QStringLiteral("Removal of ") + DescribeDevice(device));
}

void TFrmTest::HidCtlDeviceDataError(HidDevice *, int error, const QString &message)
{
    addHistory(QStringLiteral("READ ERROR: %1 (%2)")
                   .arg(message)
                   .arg(QString::number(static_cast<uint>(error), 16).toUpper()));
}

// --- connecting ---

void TFrmTest::attachReader(HidDevice *device)
{
    device->setOnData([this](HidDevice *d, quint8 reportId, const QByteArray &data) {
        ReadPell(d, reportId, data);
    });
}

void TFrmTest::detachReader(HidDevice *device)
{
    if (device)
        device->setOnData(nullptr);
}

void TFrmTest::ReadBtnClick()
{
    HidDevice *device = selectedDevice();
    if (!device)
        return;
    m_currentDevice = device;
    detachReader(device);
}

void TFrmTest::SetFeatureClick()
{
    HidDevice *device = selectedDevice();
    if (!device) {
        message(QStringLiteral(
            "USB interface cable is not securely connected, please check and re-try."));
        setUsbConDown(false);
        return;
    }
    m_currentDevice = device;
    const QByteArray report = featureReport();
    const bool sent = device->setFeature(report);
    QString entry;
    for (const char b : report)
        entry += hex2(static_cast<unsigned char>(b)) + QLatin1Char(' ');
    addHistory(entry);
    if (!sent)
        addHistory(QStringLiteral("SET FEATURE FAILED: ") + device->lastError());
}

void TFrmTest::USBConClick()
{
    setUsbConDown(!USBCon->isChecked());
    ReadBtnClick();
    SetFeatureClick();
    silentReports = 0;
    if (HidDevice *device = selectedDevice()) {
        m_currentDevice = device;
        if (!device->hasReadWriteAccess())
            setUsbConDown(false);
        else if (USBCon->isChecked())
            attachReader(device);
        else
            detachReader(device);
    }
    Panel2->setFontColor(Qt::black);
    Panel2->setText(USBCon->isChecked() ? kDisconnect : kConnect);
}

void TFrmTest::Panel2Click()
{
    if (Panel2->text() != kConnect) {
        Panel2->setFontColor(Qt::black);
        Panel2->setText(kConnect);
    }
    USBConClick();
}

void TFrmTest::Panel3Click()
{
    quitApplication();
}

// --- frame capture ---

void TFrmTest::ReadPell(HidDevice *, quint8 reportId, const QByteArray &data)
{
    QString text = QStringLiteral("R %1  ").arg(hex2(reportId));
    for (const char b : data)
        text += hex2(static_cast<unsigned char>(b)) + QLatin1Char(' ');
    lastReportText = text;

    ++silentReports;
    const int count = data.isEmpty() ? 0 : (static_cast<unsigned char>(data.at(0)) & 0x0F);
    if (count >= 1 && count <= 9) {
        silentReports = 0;
        frameOpen = true;
        // A short report carries no more bytes than it holds.
        const int available = qMin(count, data.size() - 1);
        if (frameHex.size() + 2 * available > kMaxFrameHexChars) {
            if (!m_frameHexOverflowLogged)
                qWarning() << "ReadPell: burst longer than" << kMaxFrameHexChars / 2
                           << "bytes, the rest is dropped";
            m_frameHexOverflowLogged = true;
            return;
        }
        frameHex += QString::fromLatin1(data.mid(1, available).toHex().toUpper());
        return;
    }
    if (frameOpen) {
        const QString frame = frameHex;
        frameHex.clear();
        frameOpen = false;
        m_frameHexOverflowLogged = false;
        if (frame.mid(40, 4) == QLatin1String("0D0A"))
            ShowDataTrv(frame);
        return;
    }
    frameOpen = false;
}

// --- watchdog ---

void TFrmTest::ConTimerTimer()
{
    if (watchdogPhase != 2) {
        ++watchdogPhase;
        return;
    }
    if (silentReports > kSilentReportLimit) {
        silentReports = 0;
        setUsbConDown(false);
        detachReader(m_currentDevice.data());
        message(QStringLiteral(
            "USB interface cable is securely connected, please check if the meter is ready."));
        if (Panel2->text() == kDisconnect) {
            Panel2->setFontColor(Qt::yellow);
            Panel2->setText(kConnect);
        }
    }
    LcdState state = Panel4->state();
    state.setLit(QStringLiteral("CONok"), false);
    state.setLit(QStringLiteral("CONokN"), true);
    Panel4->setState(state);
    watchdogPhase = 0;
}
