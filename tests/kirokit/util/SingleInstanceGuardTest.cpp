#include <util/SingleInstanceGuard.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

QString uniqueKey()
{
    return "guard-test-" + QUuid::createUuid().toString(QUuid::Id128);
}

} // namespace

TEST(SingleInstanceGuard, firstIsTheInstanceAndLaterOnesReachIt)
{
    const QString key = uniqueKey();
    util::SingleInstanceGuard first(key);
    ASSERT_TRUE(first.isPrimary());
    QStringList received;
    QObject::connect(&first, &util::SingleInstanceGuard::messageReceived,
                     [&received](const QString& message) { received << message; });

    util::SingleInstanceGuard second(key);
    EXPECT_FALSE(second.isPrimary());
    EXPECT_TRUE(second.sendMessage("Hello", 5000));

    // The instance hears the message on its event loop.
    QDeadlineTimer deadline(10000);
    while (received.isEmpty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(received, QStringList{"Hello"});
}

TEST(SingleInstanceGuard, theInstanceDoesNotMessageItself)
{
    util::SingleInstanceGuard only(uniqueKey());
    EXPECT_TRUE(only.isPrimary());
    EXPECT_FALSE(only.sendMessage("Hello", 100));
}

TEST(SingleInstanceGuard, aLaterProcessTakesOverOnceTheInstanceEnds)
{
    const QString key = uniqueKey();
    auto first = std::make_unique<util::SingleInstanceGuard>(key);
    util::SingleInstanceGuard waiting(key);
    ASSERT_FALSE(waiting.isPrimary());
    first.reset();

    // Nobody answers any more: the waiting guard takes the instance's place.
    EXPECT_FALSE(waiting.sendMessage("Hello", 5000));
    EXPECT_TRUE(waiting.isPrimary());
    util::SingleInstanceGuard third(key);
    EXPECT_FALSE(third.isPrimary());
    EXPECT_TRUE(third.sendMessage("Hello", 5000));
}

TEST(SingleInstanceGuard, aLockFileNoLiveProcessHoldsIsTakenOverAtOnce)
{
    const QString key = uniqueKey();
    const QString lockPath = QDir(QDir::tempPath()).filePath(key + ".lock");
    // Left behind empty, or with the id of a process long gone.
    for (const QByteArray& leftover : {QByteArray(), QByteArray("999999\nother\nhost\n")}) {
        {
            QFile lock(lockPath);
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
            lock.write(leftover);
        }
        auto first = std::make_unique<util::SingleInstanceGuard>(key);
        EXPECT_TRUE(first->isPrimary()) << leftover.constData();

        // Taken over, it works as any lock: a later guard reaches the instance, and takes its
        // place when it ends.
        util::SingleInstanceGuard second(key);
        EXPECT_FALSE(second.isPrimary());
        EXPECT_TRUE(second.sendMessage("Hello", 5000));
        first.reset();
        EXPECT_FALSE(second.sendMessage("Hello", 5000));
        EXPECT_TRUE(second.isPrimary());
    }
    QFile::remove(lockPath);
}

TEST(SingleInstanceGuard, keyDependsOnTheExecutablePath)
{
    EXPECT_EQ(util::SingleInstanceGuard::keyForExecutable("/a/bin/prog"),
              util::SingleInstanceGuard::keyForExecutable("/a/bin/prog"));
    EXPECT_NE(util::SingleInstanceGuard::keyForExecutable("/a/bin/prog"),
              util::SingleInstanceGuard::keyForExecutable("/b/bin/prog"));
}
