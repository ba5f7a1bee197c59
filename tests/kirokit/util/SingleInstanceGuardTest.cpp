#include <util/SingleInstanceGuard.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
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

TEST(SingleInstanceGuard, keyDependsOnTheExecutablePath)
{
    EXPECT_EQ(util::SingleInstanceGuard::keyForExecutable("/a/bin/prog"),
              util::SingleInstanceGuard::keyForExecutable("/a/bin/prog"));
    EXPECT_NE(util::SingleInstanceGuard::keyForExecutable("/a/bin/prog"),
              util::SingleInstanceGuard::keyForExecutable("/b/bin/prog"));
}
