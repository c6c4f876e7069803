// The controller with a real worker thread and real event loops. Built twice:
// against the module compiled into irmeter and against libcmdsched, whose
// revision treats any non-stop wake-up as the answer and logs nothing on reset.
#include "commandctrl.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QtTest>

#include <functional>

namespace {

QSharedPointer<Command> cmd(const char *text, int timeout = 5000)
{
    return QSharedPointer<Command>::create(QByteArray(text), true, timeout, QVariant());
}

// Records what the controller issues and answers it the way a test wants.
class Receiver : public QObject
{
public:
    explicit Receiver(CommandCtrl *ctrl) : m_ctrl(ctrl)
    {
        connect(ctrl, &CommandCtrl::nextCommand, this, [this](QSharedPointer<Command> c) {
            issued << QString::fromLatin1(c->content());
            if (answer)
                answer(c, issued.count(QString::fromLatin1(c->content())));
        });
    }
    // Called for every issued command with how often it has been issued so far.
    std::function<void(const QSharedPointer<Command> &, int)> answer;
    QStringList issued;

    void answerAll()
    {
        answer = [this](const QSharedPointer<Command> &, int) { m_ctrl->response(Pump::Answered); };
    }

private:
    CommandCtrl *m_ctrl;
};

QStringList debugLines;
void collectDebug(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    debugLines << msg;
}

} // namespace

class TestCommandCtrl : public QObject
{
    Q_OBJECT
private slots:
    void emptyPoolsStartAndStop()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        QSignalSpy started(&ctrl, &CommandCtrl::started);
        QSignalSpy stoped(&ctrl, &CommandCtrl::stoped);
        QVERIFY(ctrl.start());
        QVERIFY(started.wait(10000));
        QTest::qWait(100);
        ctrl.stop();
        QTRY_COMPARE_WITH_TIMEOUT(stoped.count(), 1, 10000);
        QCOMPARE(started.count(), 1);
        QVERIFY(rx.issued.isEmpty());
    }

    void onceBeforeLoopInOrder()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        rx.answerAll();
        ctrl.add(cmd("A"), Pump::Once);
        ctrl.add(cmd("B"), Pump::Once);
        ctrl.add(cmd("L"), Pump::Loop);
        QVERIFY(ctrl.start());
        QTRY_VERIFY_WITH_TIMEOUT(rx.issued.size() >= 5, 20000);
        ctrl.stop();
        QCOMPARE(rx.issued.mid(0, 5), (QStringList{"A", "B", "L", "L", "L"}));
    }

    void onceRepeatedUntilAnsweredThenNext()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        rx.answer = [&](const QSharedPointer<Command> &c, int n) {
            if (c->content() != "A" || n == 3)
                ctrl.response(Pump::Answered);
        };
        ctrl.add(cmd("A", 150), Pump::Once);
        ctrl.add(cmd("B"), Pump::Once);
        QSignalSpy timeout(&ctrl, &CommandCtrl::communicationTimeout);
        QVERIFY(ctrl.start());
        QTRY_VERIFY_WITH_TIMEOUT(rx.issued.size() >= 4, 20000);
        QTest::qWait(200);
        ctrl.stop();
        QCOMPARE(rx.issued, (QStringList{"A", "A", "A", "B"}));
        QCOMPARE(timeout.count(), 0);
    }

    void communicationTimeoutAfterRetries()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        QSignalSpy timeout(&ctrl, &CommandCtrl::communicationTimeout);
        QSignalSpy stoped(&ctrl, &CommandCtrl::stoped);
        QCOMPARE(ctrl.getRetryNum(), 3);
        ctrl.add(cmd("X", 100), Pump::Once);
        QVERIFY(ctrl.start());
        QVERIFY(timeout.wait(20000));
        QTRY_COMPARE_WITH_TIMEOUT(stoped.count(), 1, 10000);
        QCOMPARE(rx.issued, (QStringList{"X", "X", "X"}));
        // The loop has ended but the controller still counts as running.
        QVERIFY(!ctrl.start());
        ctrl.stop();
        QVERIFY(ctrl.start());
        ctrl.stop();
    }

    void retryNumOneGivesUpAtFirstAttempt()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        ctrl.setRetryNum(1);
        QSignalSpy timeout(&ctrl, &CommandCtrl::communicationTimeout);
        ctrl.add(cmd("X", 100), Pump::Loop);
        QVERIFY(ctrl.start());
        QVERIFY(timeout.wait(20000));
        ctrl.stop();
        QCOMPARE(rx.issued, QStringList{"X"});
    }

    void commandWithoutExplicitTimeoutDoesNotHang()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        ctrl.setRetryNum(1);
        auto plain = QSharedPointer<Command>::create(nullptr);
        plain->setContent("P");
        auto negative = cmd("N", -1);
        ctrl.add(plain, Pump::Once);
        QSignalSpy timeout(&ctrl, &CommandCtrl::communicationTimeout);
        QVERIFY(ctrl.start());
        QVERIFY(timeout.wait(20000));
        ctrl.stop();
        ctrl.add(negative, Pump::Loop);
        timeout.clear();
        QVERIFY(ctrl.start());
        QVERIFY(timeout.wait(20000));
        ctrl.stop();
    }

    // Answers given at once from the receiving thread race with the pump
    // entering its wait; the hand-off must never lose one. The commands'
    // time-out is far longer than the test allows, so a lost answer fails it.
    void earlyAnswersAreNeverLost()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        ctrl.setInterval(0);
        rx.answerAll();
        const int n = 200;
        for (int i = 0; i < n; ++i)
            ctrl.add(cmd("E", 600000), Pump::Once);
        QVERIFY(ctrl.start());
        QTRY_COMPARE_WITH_TIMEOUT(rx.issued.size(), n, 120000);
        ctrl.stop();
    }

    // Answers from a thread other than the receiver's, possibly before the
    // pump waits.
    void answerFromAnotherThread()
    {
        CommandCtrl ctrl;
        QStringList issued;
        QThread answerer;
        QObject worker;
        worker.moveToThread(&answerer);
        answerer.start();
        connect(&ctrl, &CommandCtrl::nextCommand, &worker,
                [&](QSharedPointer<Command>) { ctrl.response(Pump::Answered); });
        connect(&ctrl, &CommandCtrl::nextCommand, this,
                [&](QSharedPointer<Command> c) { issued << QString::fromLatin1(c->content()); });
        for (int i = 0; i < 50; ++i)
            ctrl.add(cmd("T", 600000), Pump::Once);
        QVERIFY(ctrl.start());
        QTRY_COMPARE_WITH_TIMEOUT(issued.size(), 50, 120000);
        ctrl.stop();
        answerer.quit();
        answerer.wait();
    }

    // An answer that arrives after its attempt timed out (here during the
    // long sleep between attempts) must not complete the next attempt.
    void lateAnswerHasNoEffect()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        ctrl.setInterval(1500);
        rx.answer = [&](const QSharedPointer<Command> &, int n) {
            if (n == 1)
                QTimer::singleShot(600, &ctrl, [&] { ctrl.response(Pump::Answered); });
        };
        QSignalSpy timeout(&ctrl, &CommandCtrl::communicationTimeout);
        ctrl.add(cmd("A", 100), Pump::Once);
        ctrl.add(cmd("B"), Pump::Once);
        QVERIFY(ctrl.start());
        QVERIFY(timeout.wait(30000));
        ctrl.stop();
        QCOMPARE(rx.issued, (QStringList{"A", "A", "A"}));
    }

    void pauseLetsTheAttemptFinishThenIdles()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        QSharedPointer<Command> first;
        rx.answer = [&](const QSharedPointer<Command> &c, int) {
            if (c->content() == "A") {
                ctrl.setPause(true);
                QTimer::singleShot(100, &ctrl, [&] { ctrl.response(Pump::Answered); });
            } else {
                ctrl.response(Pump::Answered);
            }
        };
        ctrl.add(cmd("A"), Pump::Once);
        ctrl.add(cmd("B"), Pump::Once);
        QVERIFY(ctrl.start());
        QTRY_COMPARE_WITH_TIMEOUT(rx.issued.size(), 1, 10000);
        QTest::qWait(500);
        QCOMPARE(rx.issued, QStringList{"A"});
        QVERIFY(ctrl.pause());
        ctrl.setPause(false);
        QTRY_COMPARE_WITH_TIMEOUT(rx.issued.size(), 2, 10000);
        ctrl.stop();
        QCOMPARE(rx.issued, (QStringList{"A", "B"}));
    }

    void resetNextWaitsForPauseToLift()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        rx.answerAll();
        QSignalSpy started(&ctrl, &CommandCtrl::started);
        QVERIFY(ctrl.start());
        QVERIFY(started.wait(10000));
        ctrl.setPause(true);
        ctrl.add(cmd("L"), Pump::Loop);
        ctrl.setResetNext(true);
        QTest::qWait(300);
        QVERIFY(rx.issued.isEmpty());
        // Lifting the pause performs the pending reset before anything is issued.
        ctrl.setPause(false);
        QTest::qWait(300);
        ctrl.add(cmd("M"), Pump::Loop);
        QTRY_VERIFY_WITH_TIMEOUT(!rx.issued.isEmpty(), 10000);
        ctrl.stop();
        QVERIFY(!rx.issued.contains("L"));
    }

    void resetNextKeepsRepeatingTheCommandInFlight()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        rx.answer = [&](const QSharedPointer<Command> &c, int n) {
            if (n == 1)
                ctrl.setResetNext(true);
            if (c->content() == "A" && n == 3)
                ctrl.response(Pump::Answered);
        };
        ctrl.add(cmd("A", 300), Pump::Once);
        ctrl.add(cmd("B"), Pump::Once);
        QVERIFY(ctrl.start());
        QTRY_COMPARE_WITH_TIMEOUT(rx.issued.size(), 3, 20000);
        QTest::qWait(500);
        ctrl.stop();
        QCOMPARE(rx.issued, (QStringList{"A", "A", "A"}));
    }

    void stopWhileSleepingOrWaiting_data()
    {
        QTest::addColumn<bool>("withCommand");
        QTest::newRow("sleeping") << false;
        QTest::newRow("waiting") << true;
    }

    void stopWhileSleepingOrWaiting()
    {
        QFETCH(bool, withCommand);
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        QSignalSpy started(&ctrl, &CommandCtrl::started);
        QSignalSpy timeout(&ctrl, &CommandCtrl::communicationTimeout);
        QSignalSpy stoped(&ctrl, &CommandCtrl::stoped);
        if (withCommand)
            ctrl.add(cmd("W", 600000), Pump::Once);
        else
            ctrl.setInterval(1000);
        QVERIFY(ctrl.start());
        QVERIFY(started.wait(10000));
        if (withCommand)
            QTRY_COMPARE_WITH_TIMEOUT(rx.issued.size(), 1, 10000);
        QElapsedTimer t;
        t.start();
        ctrl.stop();
        // Far below the command's time-out: the stop woke the pump.
        QVERIFY(t.elapsed() < 60000);
        QTRY_COMPARE_WITH_TIMEOUT(stoped.count(), 1, 10000);
        QTest::qWait(50);
        QCOMPARE(timeout.count(), 0);
    }

    void stopRightAfterStartEndsTheLoop()
    {
        CommandCtrl ctrl;
        for (int i = 0; i < 20; ++i) {
            QVERIFY(ctrl.start());
            ctrl.stop();
        }
        QSignalSpy started(&ctrl, &CommandCtrl::started);
        QVERIFY(ctrl.start());
        QVERIFY(started.wait(10000));
        ctrl.stop();
    }

    void nonAnswerWakeUpDependsOnRevision()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        rx.answer = [&](const QSharedPointer<Command> &c, int) {
            ctrl.response(c->content() == "A" ? Pump::Waiting : Pump::Answered);
        };
        QSignalSpy timeout(&ctrl, &CommandCtrl::communicationTimeout);
        ctrl.add(cmd("A", 600000), Pump::Once);
        ctrl.add(cmd("B"), Pump::Once);
        QVERIFY(ctrl.start());
#ifdef CMDSCHED_LIBRARY_REVISION
        QTRY_COMPARE_WITH_TIMEOUT(rx.issued.size(), 2, 20000);
        ctrl.stop();
        QCOMPARE(rx.issued, (QStringList{"A", "B"}));
        QCOMPARE(timeout.count(), 0);
#else
        QVERIFY(timeout.wait(20000));
        ctrl.stop();
        QCOMPARE(rx.issued, (QStringList{"A", "A", "A"}));
#endif
    }

    void resetLogLineDependsOnRevision()
    {
        CommandCtrl ctrl;
        debugLines.clear();
        QtMessageHandler old = qInstallMessageHandler(collectDebug);
        ctrl.reset();
        qInstallMessageHandler(old);
#ifdef CMDSCHED_LIBRARY_REVISION
        QVERIFY(debugLines.isEmpty());
#else
        QCOMPARE(debugLines.size(), 1);
        QCOMPARE(debugLines.first(),
                 QStringLiteral("CommandPump::reset() =========================================="));
#endif
    }

    void poolsSurviveStopAndStart()
    {
        CommandCtrl ctrl;
        Receiver rx(&ctrl);
        rx.answerAll();
        ctrl.setPause(true);
        ctrl.add(cmd("K"), Pump::Once);
        QVERIFY(ctrl.start()); // start() clears the pause flag
        QTRY_COMPARE_WITH_TIMEOUT(rx.issued.size(), 1, 10000);
        ctrl.stop();
        ctrl.add(cmd("J"), Pump::Loop);
        QVERIFY(ctrl.start());
        QTRY_VERIFY_WITH_TIMEOUT(rx.issued.size() >= 2, 10000);
        ctrl.stop();
        QCOMPARE(rx.issued.at(1), QStringLiteral("J"));
    }
};

QTEST_GUILESS_MAIN(TestCommandCtrl)
#include "tst_commandctrl.moc"
