#ifndef TFRMTEST_H
#define TFRMTEST_H

// The main form of the console program. It lists the HID devices, connects
// the tester's serial cable, assembles the serial bytes into display frames,
// shows each frame on the emulated display (Panel4) and derives a reading
// from it.
//
// The form's code is split by concern:
//   tfrmtest.cpp         construction, HID link, frame assembly, watchdog
//   tfrmtestdisplay.cpp  frame decoding into the display and the reading
//   tfrmtestrecord.cpp   the record area: recording readings into the table

#include "lcdstate.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

class ClickPanel;
class HidDevice;
class HidDeviceController;
class LcdPanel;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QTimer;
class RecordArea;

class TFrmTest : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFrmTest(QWidget *parent = nullptr);
    ~TFrmTest() override;

    // --- components ---
    QMenu *FileMenu = nullptr;   // "File": filled by the record area
    QMenu *RecordMenu = nullptr; // "Record": filled by the record area
    QScrollArea *ClientArea = nullptr;
    QWidget *ClientContent = nullptr;      // the scrolled content, 619 wide
    ClickPanel *Panel2 = nullptr;          // "CONNECT" / "DISCONNECT"
    ClickPanel *Panel3 = nullptr;          // "EXIT"
    LcdPanel *Panel4 = nullptr;            // the emulated display
    QListWidget *DevListBox = nullptr;     // hidden
    QListWidget *HistoryListBox = nullptr; // hidden
    QPushButton *USBCon = nullptr;         // hidden; checked means "down": connected
    QTimer *ConTimer = nullptr;            // watchdog, 100 ms
    HidDeviceController *HidCtl = nullptr;
    // Places prepared for the record bar, the grid and the chart area.
    QWidget *RecordBarArea = nullptr;
    QWidget *GridArea = nullptr;
    QWidget *ChartArea = nullptr;
    QWidget *ChartBarArea = nullptr;
    // The record side built into those places: table cds1, grid DBGrid1,
    // record bar, chart Chtshow, the File and Record items, SampInterTime.
    RecordArea *Record = nullptr;

    // --- reading state, shared with the recorder ---
    QString readingValue;
    QString readingUnit;
    QString functionText;
    QString remarkText;
    QString decimalSeparator;

    // --- frame capture state ---
    QString frameHex;
    bool frameOpen = false;
    int silentReports = 0;
    int watchdogPhase = 0;
    QString lastReportText; // the text of the last input report, for diagnosis

    // --- handlers and operations ---
    void Panel2Click();
    void Panel3Click();
    void USBConClick();
    void ReadBtnClick();
    void SetFeatureClick();
    void ReadPell(HidDevice *device, quint8 reportId, const QByteArray &data);
    void ConTimerTimer();
    void HidCtlDeviceChange();
    bool HidCtlEnumerate(HidDevice *device, int index);
    void HidCtlArrival(HidDevice *device);
    void HidCtlRemoval(HidDevice *device);
    void HidCtlDeviceDataError(HidDevice *device, int error, const QString &message);
    static QString DescribeDevice(const HidDevice *device);

    void ShowDataTrv(const QString &frame);
    void DispInit(int mode);

    // Records the current reading (the record area decides whether it may).
    void INDataToTable(int mode);
    void SampInterTimeTimer();   // every second
    void RecordSITimeChange();   // the interval text changed
    void ClearRClick();          // "Delete Data", Record > " Clear All"
    void NewClick();             // File > "  New"
    void Save_asClick();         // "Save Data", File > "  Save As..."
    void OpenClick();            // "Open Data", File > "  Open"
    void MajPrintClick();        // "Print Data"
    void miExitClick();          // File > "   Exit"

    HidDevice *currentDevice() const;
    HidDevice *selectedDevice() const;
    bool isConnected() const; // USBCon down
    bool isHoldingFrame() const { return m_holding; }

    // How long each decoded frame is held before the display changes, in ms.
    // While it is held the window stays responsive and the reader waits.
    void setFrameHoldMs(int milliseconds) { m_frameHoldMs = milliseconds; }
    int frameHoldMs() const { return m_frameHoldMs; }

    static QByteArray featureReport(); // the 10-byte serial set-up, 2400 bit/s

    static constexpr int kSilentReportLimit = 1899;
    static constexpr int kMaxFrameHexChars = 1024;
    static constexpr int kMaxHistoryEntries = 2000;

signals:
    void frameDecoded(const QString &frame); // ShowDataTrv was entered
    void readingDecoded();                   // a frame with a main digit was shown
    void messageShown(const QString &text);

protected:
    // Every message of the form goes through here: an information box with OK.
    virtual void showInformation(const QString &text);
    // Ends the program.
    virtual void quitApplication();

private:
    void message(const QString &text);
    void createForm();
    void createRecordArea(); // tfrmtestrecord.cpp
    void addHistory(const QString &entry);
    void setUsbConDown(bool down);
    void attachReader(HidDevice *device);
    void detachReader(HidDevice *device);
    void holdFrame();
    void lightLink(LcdState &state) const;
    void darken(LcdState &state) const;

    QPointer<HidDevice> m_currentDevice;
    bool m_negative = false;
    bool m_dcMarked = false;
    bool m_acMarked = false;
    bool m_holding = false;
    int m_frameHoldMs = 500;
    int m_frameSeq = 0;
    bool m_frameHexOverflowLogged = false;
};

#endif // TFRMTEST_H
