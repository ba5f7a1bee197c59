#include <kirogen/observer/ModelObserver.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using kirogen::observer::DataRole;
using kirogen::observer::Observable;
using lum::core::variant::Variant;

namespace {

constexpr int Rounds = 2000;
constexpr int Notifiers = 2;

class Counter : public kirogen::observer::Observer
{
public:
    void on_notify(const DataRole& role, Observable*, const Variant& value) override
    {
        if (value.get<int>() != role.value())
            ++_garbled;
        if (role.value() == 5)
            ++_fives;
        else if (role.value() == 6)
            ++_sixes;
    }

    int fives() const { return _fives; }
    int sixes() const { return _sixes; }
    int garbled() const { return _garbled; }

private:
    std::atomic<int> _fives{0};
    std::atomic<int> _sixes{0};
    std::atomic<int> _garbled{0};
};

void send(Observable& observable, int role)
{
    observable.notify(DataRole(role), &observable, Variant(role));
}

} // namespace

// Notifications on a parent and its child run while other threads register, deregister
// and destroy observers and link children in from both sides. Observers registered for the
// whole run must see every notification exactly once per registration.
TEST(ObservableConcurrency, notifyingWhileRegistrationsChange)
{
    Observable parent;
    Observable child;
    Observable linked;
    Counter roleObserver;
    Counter allObserver;
    parent.addChildObservable(&child);
    parent.registerObserver(DataRole(5), &roleObserver);
    parent.registerObserver(&allObserver);

    std::vector<std::thread> threads;
    for (int n = 0; n < Notifiers; ++n) {
        threads.emplace_back([&] {
            for (int i = 0; i < Rounds; ++i) {
                send(parent, 5);
                send(parent, 6);
                send(child, 5);
            }
        });
    }
    for (int n = 0; n < 2; ++n) {
        threads.emplace_back([&] {
            for (int i = 0; i < Rounds; ++i) {
                Counter transient;
                parent.registerObserver(DataRole(6), &transient);
                child.registerObserver(&transient);
                parent.deregisterObserverAllRoles(&transient);
                child.deregisterObserver(&transient);
            }
        });
    }
    threads.emplace_back([&] {
        for (int i = 0; i < Rounds; ++i) {
            linked.addAsChildObservable(&parent);
            send(linked, 6);
            linked.removeAsChildObservable(&parent);
        }
    });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(roleObserver.fives(), 2 * Notifiers * Rounds);
    EXPECT_EQ(roleObserver.sixes(), 0);
    EXPECT_EQ(allObserver.fives(), 2 * Notifiers * Rounds);
    EXPECT_EQ(allObserver.sixes(), Notifiers * Rounds + Rounds);
    EXPECT_EQ(roleObserver.garbled() + allObserver.garbled(), 0);
    EXPECT_EQ(linked.parentObservable(), nullptr);
}

// An observable gets its observer lists with its first registration. Threads that race to
// be first on fresh observables must all end up in the same lists: an observer lost to a
// second list would never hear a notification.
TEST(ObservableConcurrency, firstRegistrationsFromSeveralThreadsAllCount)
{
    constexpr int Threads = 4;
    for (int round = 0; round < 200; ++round) {
        Observable observable;
        std::vector<Counter> counters(Threads);
        std::atomic<int> waiting{Threads};
        std::vector<std::thread> threads;
        for (int t = 0; t < Threads; ++t) {
            threads.emplace_back([&, t] {
                --waiting;
                while (waiting.load() > 0)
                    std::this_thread::yield();
                observable.registerObserver(DataRole(5), &counters[t]);
            });
        }
        for (auto& thread : threads)
            thread.join();
        send(observable, 5);
        for (const Counter& counter : counters)
            ASSERT_EQ(counter.fives(), 1) << "round " << round;
    }
}

TEST(ObservableConcurrency, unobservedObservableHasNoParentAndDeliversNothing)
{
    Observable observable;
    EXPECT_EQ(observable.parentObservable(), nullptr);
    send(observable, 5);

    Observable parent;
    Counter counter;
    parent.registerObserver(&counter);
    parent.addChildObservable(&observable);
    EXPECT_EQ(observable.parentObservable(), &parent);
    send(observable, 5);
    EXPECT_EQ(counter.fives(), 1);
}
