#include "doc/QtMessageTarget.h"

#include <QCoreApplication>
#include <QTest>
#include <thread>
#include <vector>

using namespace qx;

class QtMessageTargetTest : public QObject {
    Q_OBJECT
private slots:
    // Posts from a worker thread arrive in order on the object's own thread;
    // the empty message reaches no handler.
    void postsFromAWorkerArriveOnTheReceiversThread() {
        std::vector<platform::WParam> got;
        bool onOwnThread = true;
        doc::QtMessageTarget target([&](platform::MessageId msg, platform::WParam w,
                                        platform::LParam l) {
            onOwnThread =
                onOwnThread && QThread::currentThread() == QCoreApplication::instance()->thread();
            QCOMPARE(msg, platform::MessageId{0xC001});
            QCOMPARE(l, platform::LParam{42});
            got.push_back(w);
        });
        std::thread worker([&] {
            for (platform::WParam i = 0; i < 50; ++i) {
                target.post(platform::kNullMessage, 0, 0);
                target.post(0xC001, i, 42);
            }
        });
        worker.join();
        QTRY_COMPARE(got.size(), std::size_t{50});
        for (platform::WParam i = 0; i < 50; ++i)
            QCOMPARE(got[i], i);
        QVERIFY(onOwnThread);
    }

    // Messages still queued when the receiver goes away are dropped with it.
    void queuedMessagesDieWithTheReceiver() {
        int handled = 0;
        auto target = std::make_unique<doc::QtMessageTarget>(
            [&](platform::MessageId, platform::WParam, platform::LParam) { ++handled; });
        target->post(0xC001, 1, 2);
        target.reset();
        QCoreApplication::processEvents();
        QCOMPARE(handled, 0);
    }
};

QTEST_GUILESS_MAIN(QtMessageTargetTest)
#include "QtMessageTargetTest.moc"
