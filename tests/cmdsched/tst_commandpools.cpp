// Pools on their own: order, cursor and lifetime rules.
#include "command.h"
#include "loopcommandpool.h"
#include "oncecommandpool.h"

#include <QtTest>

namespace {
QSharedPointer<Command> cmd(const char *text)
{
    return QSharedPointer<Command>::create(QByteArray(text), false, 100, QVariant());
}
} // namespace

class TestCommandPools : public QObject
{
    Q_OBJECT
private slots:
    void commandFields()
    {
        Command plain(nullptr);
        QVERIFY(plain.content().isEmpty());
        QVERIFY(!plain.needResponse());
        QVERIFY(!plain.remark().isValid());
        // A command queued without setTimeout still has a finite wait.
        QVERIFY(plain.timeout() > 0);

        Command full(QByteArray("\x01\x02", 2), true, 250, QVariant(7));
        QCOMPARE(full.content(), QByteArray("\x01\x02", 2));
        QVERIFY(full.needResponse());
        QCOMPARE(full.timeout(), 250);
        QCOMPARE(full.remark().toInt(), 7);
        QVERIFY(full.parent() == nullptr);
    }

    void metaTypeRegisteredByPool()
    {
        OnceCommandPool pool;
        const int id = QMetaType::type("QSharedPointer<Command>");
        QVERIFY(id != QMetaType::UnknownType);
        // The shared pointer converts to a plain object pointer.
        auto c = cmd("x");
        QVariant v = QVariant::fromValue(c);
        QVERIFY(v.canConvert<QObject *>());
        QCOMPARE(v.value<QObject *>(), static_cast<QObject *>(c.data()));
    }

    void oncePoolIsFifoAndKeepsHead()
    {
        OnceCommandPool pool;
        QVERIFY(pool.getNextCommand().isNull());
        QVERIFY(pool.getCurrentCommand().isNull());
        pool.removeFirstCommand(); // empty: nothing happens

        auto a = cmd("A"), b = cmd("B"), c = cmd("C");
        QCOMPARE(pool.add(a), 1);
        QCOMPARE(pool.add(b), 2);
        QCOMPARE(pool.add(c), 3);
        QCOMPARE(pool.getNextCommand(), a);
        QCOMPARE(pool.getNextCommand(), a);
        QCOMPARE(pool.getCurrentCommand(), a);
        pool.removeFirstCommand();
        QCOMPARE(pool.getNextCommand(), b);
        pool.removeFirstCommand();
        pool.removeFirstCommand();
        QVERIFY(pool.getNextCommand().isNull());
    }

    void loopPoolCycles()
    {
        LoopCommandPool pool;
        QVERIFY(pool.getCurrentCommand().isNull());
        QVERIFY(pool.getNextCommand().isNull());

        auto a = cmd("A"), b = cmd("B"), c = cmd("C");
        pool.add(a);
        pool.add(b);
        pool.add(c);
        QList<QSharedPointer<Command>> seen;
        for (int i = 0; i < 7; ++i)
            seen << pool.getNextCommand();
        QCOMPARE(seen, (QList<QSharedPointer<Command>>{a, b, c, a, b, c, a}));
        QCOMPARE(pool.getCurrentCommand(), a);

        // A command added while cycling is reached after the old last one.
        auto d = cmd("D");
        pool.add(d);
        QCOMPARE(pool.getNextCommand(), b);
        QCOMPARE(pool.getNextCommand(), c);
        QCOMPARE(pool.getNextCommand(), d);
        QCOMPARE(pool.getNextCommand(), a);
    }

    void loopPoolSingleCommandAndReset()
    {
        LoopCommandPool pool;
        auto only = cmd("only");
        pool.add(only);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(pool.getNextCommand(), only);

        pool.reset();
        QVERIFY(pool.getCurrentCommand().isNull());
        auto x = cmd("X"), y = cmd("Y");
        pool.add(x);
        pool.add(y);
        QCOMPARE(pool.getNextCommand(), x);
        QCOMPARE(pool.getCurrentCommand(), x);
    }

    void takenCommandOutlivesReset()
    {
        OnceCommandPool once;
        LoopCommandPool loop;
        once.add(cmd("once"));
        loop.add(cmd("loop"));
        auto fromOnce = once.getNextCommand();
        auto fromLoop = loop.getNextCommand();
        once.reset();
        loop.reset();
        QCOMPARE(fromOnce->content(), QByteArray("once"));
        QCOMPARE(fromLoop->content(), QByteArray("loop"));
        QVERIFY(once.getNextCommand().isNull());
        QVERIFY(loop.getNextCommand().isNull());
    }

    void nullCommandIsStoredLikeAnyOther()
    {
        LoopCommandPool pool;
        QCOMPARE(pool.add(QSharedPointer<Command>()), 1);
        QVERIFY(pool.getNextCommand().isNull());
    }
};

QTEST_GUILESS_MAIN(TestCommandPools)
#include "tst_commandpools.moc"
