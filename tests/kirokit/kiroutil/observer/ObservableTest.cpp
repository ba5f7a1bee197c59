#include <kirogen/observer/ModelObserver.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using kirogen::observer::DataRole;
using kirogen::observer::Observable;
using lum::core::variant::Variant;

namespace {

// One delivery as an observer saw it.
struct Delivery
{
    std::string observer;
    int role;
    Observable* source;
    std::string value;

    bool operator==(const Delivery& other) const
    {
        return observer == other.observer && role == other.role && source == other.source &&
               value == other.value;
    }
};

std::ostream& operator<<(std::ostream& stream, const Delivery& delivery)
{
    return stream << delivery.observer << ':' << delivery.role << ':' << delivery.value;
}

using Journal = std::vector<Delivery>;

// Writes every delivery into a journal shared by several observers, so that the order of
// delivery across observers can be checked.
class Recorder : public kirogen::observer::Observer
{
public:
    Recorder(std::string name, Journal& journal) : _name(std::move(name)), _journal(journal) {}

    void on_notify(const DataRole& role, Observable* source, const Variant& value) override
    {
        _journal.push_back({_name, role.value(), source, value.toString()});
        if (_reaction)
            _reaction();
    }

    void onNotify(std::function<void()> reaction) { _reaction = std::move(reaction); }

private:
    std::string _name;
    Journal& _journal;
    std::function<void()> _reaction;
};

std::vector<std::string> names(const Journal& journal)
{
    std::vector<std::string> result;
    for (const Delivery& delivery : journal)
        result.push_back(delivery.observer);
    return result;
}

void ping(Observable& observable, int role)
{
    observable.notify(DataRole(role), &observable, Variant());
}

} // namespace

TEST(Observable, roleAndAllRolesDelivery)
{
    Journal journal;
    Observable observable;
    Observable other;
    Recorder five("five", journal);
    Recorder all("all", journal);
    observable.registerObserver(DataRole(5), &five);
    observable.registerObserver(&all);

    observable.notify(DataRole(6), &other, Variant("x"));
    EXPECT_EQ(journal, (Journal{{"all", 6, &other, "x"}}));

    journal.clear();
    observable.notify(DataRole(5), &observable, Variant(42));
    EXPECT_EQ(journal, (Journal{{"five", 5, &observable, "42"}, {"all", 5, &observable, "42"}}));
}

TEST(Observable, registeredBothWaysIsCalledTwiceAndDoubleRegistrationHasNoEffect)
{
    Journal journal;
    Observable observable;
    Recorder both("both", journal);
    Recorder first("first", journal);
    observable.registerObserver(DataRole(5), &both);
    observable.registerObserver(DataRole(5), &first);
    observable.registerObserver(&both);
    observable.registerObserver(DataRole(5), &both);
    observable.registerObserver(&both);

    ping(observable, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"both", "first", "both"}));

    // One deregistration undoes the repeated registration completely.
    journal.clear();
    observable.deregisterObserver(DataRole(5), &both);
    observable.deregisterObserver(&both);
    ping(observable, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"first"}));
}

TEST(Observable, deregistrationLeavesTheOtherKindInPlace)
{
    Journal journal;
    Observable observable;
    Recorder recorder("r", journal);

    observable.registerObserver(DataRole(5), &recorder);
    observable.registerObserver(DataRole(6), &recorder);
    observable.deregisterObserver(DataRole(5), &recorder);
    ping(observable, 5);
    ping(observable, 6);
    EXPECT_EQ(journal, (Journal{{"r", 6, &observable, ""}}));

    journal.clear();
    observable.registerObserver(DataRole(5), &recorder);
    observable.registerObserver(&recorder);
    observable.deregisterObserverAllRoles(&recorder);
    ping(observable, 5);
    ping(observable, 6);
    EXPECT_EQ(journal, (Journal{{"r", 5, &observable, ""}, {"r", 6, &observable, ""}}));

    journal.clear();
    observable.registerObserver(DataRole(5), &recorder);
    observable.deregisterObserver(&recorder);
    ping(observable, 5);
    EXPECT_EQ(journal, (Journal{{"r", 5, &observable, ""}}));

    // Undoing what was never registered changes nothing.
    journal.clear();
    observable.deregisterObserver(&recorder);
    observable.deregisterObserver(DataRole(7), &recorder);
    ping(observable, 5);
    ping(observable, 7);
    EXPECT_EQ(journal, (Journal{{"r", 5, &observable, ""}}));
    EXPECT_TRUE(recorder.isRegisteredWith(&observable));
}

TEST(Observable, registrationOrderIsDeliveryOrderWhateverThePointers)
{
    Journal journal;
    Observable observable;
    // Array elements lie at ascending addresses; registering out of that order shows
    // that delivery does not follow pointer order.
    std::array<Recorder, 4> recorders{Recorder("0", journal), Recorder("1", journal), Recorder("2", journal),
                                      Recorder("3", journal)};
    for (int index : {2, 0, 3, 1}) {
        observable.registerObserver(DataRole(5), &recorders[index]);
        observable.registerObserver(&recorders[3 - index]);
    }
    ping(observable, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"2", "0", "3", "1", "1", "3", "0", "2"}));

    // A deregistered observer that registers again goes to the end.
    journal.clear();
    observable.deregisterObserver(DataRole(5), &recorders[2]);
    observable.registerObserver(DataRole(5), &recorders[2]);
    ping(observable, 6);
    ping(observable, 5);
    EXPECT_EQ(names(journal),
              (std::vector<std::string>{"1", "3", "0", "2", "0", "3", "1", "2", "1", "3", "0", "2"}));
}

TEST(ObservableChildren, receiveTheParentsObserversBeforeAndAfterAdding)
{
    Journal journal;
    Observable parent;
    Observable child;
    Observable grandchild;
    Recorder early("early", journal);
    Recorder late("late", journal);
    Recorder own("own", journal);
    parent.registerObserver(DataRole(5), &early);
    child.registerObserver(&own);
    child.addChildObservable(&grandchild);
    parent.addChildObservable(&child);
    parent.registerObserver(&late);
    EXPECT_EQ(child.parentObservable(), &parent);
    EXPECT_EQ(grandchild.parentObservable(), &child);

    ping(child, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"early", "own", "late"}));
    journal.clear();
    ping(grandchild, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"early", "own", "late"}));

    // Notifications stay where they are raised.
    journal.clear();
    ping(parent, 6);
    EXPECT_EQ(journal, (Journal{{"late", 6, &parent, ""}}));

    // Adding the same child again hands nothing down twice.
    journal.clear();
    parent.addChildObservable(&child);
    ping(child, 6);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"own", "late"}));

    // Deregistration on the parent reaches the children as well.
    journal.clear();
    parent.deregisterObserverAllRoles(&early);
    parent.deregisterObserver(&late);
    ping(grandchild, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"own"}));
}

TEST(ObservableChildren, aChildWithAnotherParentReceivesNoObserversWhenAdded)
{
    Journal journal;
    Observable first;
    Observable second;
    Recorder firstObserver("first", journal);
    Recorder secondObserver("second", journal);
    first.registerObserver(&firstObserver);
    second.registerObserver(&secondObserver);
    {
        Observable child;
        first.addChildObservable(&child);
        second.addChildObservable(&child);
        EXPECT_EQ(child.parentObservable(), &first);
        ping(child, 5);
        EXPECT_EQ(names(journal), (std::vector<std::string>{"first"}));

        // Unlisting it from the second leaves its tie to the first parent intact.
        second.removeChildObservable(&child);
        EXPECT_EQ(child.parentObservable(), &first);
        second.addChildObservable(&child);
    }
    // The child died while the second observable still listed it: a registration that
    // walks the children must not reach it.
    Recorder later("later", journal);
    second.registerObserver(&later);
    first.registerObserver(&later);
    journal.clear();
    ping(second, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"second", "later"}));
}

TEST(ObservableChildren, removingAChildTakesBackTheParentsRegistrations)
{
    Journal journal;
    Observable parent;
    Observable child;
    Observable grandchild;
    Recorder own("own", journal);
    child.registerObserver(DataRole(6), &own);
    child.addChildObservable(&grandchild);
    auto inherited = std::make_unique<Recorder>("inherited", journal);
    parent.registerObserver(DataRole(5), inherited.get());
    parent.registerObserver(inherited.get());
    parent.addChildObservable(&child);
    ASSERT_TRUE(inherited->isRegisteredWith(&child));
    ASSERT_TRUE(inherited->isRegisteredWith(&grandchild));

    parent.removeChildObservable(&child);
    EXPECT_EQ(child.parentObservable(), nullptr);
    EXPECT_FALSE(inherited->isRegisteredWith(&child));
    EXPECT_FALSE(inherited->isRegisteredWith(&grandchild));
    EXPECT_TRUE(inherited->isRegisteredWith(&parent));

    // The observer may die now; the detached child never reaches it again.
    inherited.reset();
    ping(child, 5);
    ping(child, 6);
    ping(grandchild, 5);
    EXPECT_EQ(journal, (Journal{{"own", 6, &child, ""}}));

    // Removing what is not a child changes nothing.
    parent.removeChildObservable(&grandchild);
    EXPECT_EQ(grandchild.parentObservable(), &child);
}

TEST(ObservableChildren, linkingFromTheChildSideIsTheSameAsFromTheParent)
{
    Journal journal;
    Observable parent;
    Observable child;
    Recorder recorder("r", journal);
    parent.registerObserver(&recorder);

    child.addAsChildObservable(&parent);
    EXPECT_EQ(child.parentObservable(), &parent);
    parent.registerObserver(DataRole(5), &recorder);
    ping(child, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"r", "r"}));

    child.removeAsChildObservable(&parent);
    EXPECT_EQ(child.parentObservable(), nullptr);
    journal.clear();
    ping(child, 5);
    EXPECT_TRUE(journal.empty());
}

TEST(ObservableLifetime, destroyingAnObserverDetachesItFromEveryObservable)
{
    Journal journal;
    Observable first;
    Observable second;
    Recorder survivor("survivor", journal);
    first.registerObserver(&survivor);
    second.registerObserver(DataRole(5), &survivor);
    {
        Recorder doomed("doomed", journal);
        first.registerObserver(DataRole(5), &doomed);
        first.registerObserver(&doomed);
        second.registerObserver(&doomed);
        ASSERT_TRUE(doomed.isRegisteredWith(&first));
        ASSERT_TRUE(doomed.isRegisteredWith(&second));
    }
    ping(first, 5);
    ping(second, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"survivor", "survivor"}));
}

TEST(ObservableLifetime, destroyingAnObservableDetachesItFromObserversParentAndChildren)
{
    Journal journal;
    Observable parent;
    Observable grandchild;
    Recorder recorder("r", journal);
    parent.registerObserver(&recorder);
    auto child = std::make_unique<Observable>();
    parent.addChildObservable(child.get());
    child->addChildObservable(&grandchild);
    child->registerObserver(DataRole(5), &recorder);
    ASSERT_TRUE(recorder.isRegisteredWith(child.get()));

    Observable* const dead = child.get();
    child.reset();
    EXPECT_FALSE(recorder.isRegisteredWith(dead));
    EXPECT_EQ(grandchild.parentObservable(), nullptr);

    // The parent no longer walks into the dead child.
    Recorder later("later", journal);
    parent.registerObserver(&later);
    ping(parent, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"r", "later"}));

    // The orphan can be adopted again and then gets the new parent's observers.
    journal.clear();
    Observable adopter;
    adopter.registerObserver(&later);
    adopter.addChildObservable(&grandchild);
    EXPECT_EQ(grandchild.parentObservable(), &adopter);
    ping(grandchild, 6);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"r", "later"}));
}

TEST(ObservableLifetime, observersMayChangeRegistrationsDuringDelivery)
{
    Journal journal;
    Observable observable;
    Recorder once("once", journal);
    auto victim = std::make_unique<Recorder>("victim", journal);
    Recorder joiner("joiner", journal);
    Recorder keeper("keeper", journal);

    // Deregisters itself, deletes an observer that comes later, and registers a newcomer.
    once.onNotify([&] {
        observable.deregisterObserver(&once);
        observable.deregisterObserver(victim.get());
        victim.reset();
        observable.registerObserver(&joiner);
    });
    observable.registerObserver(&once);
    observable.registerObserver(victim.get());
    observable.registerObserver(&keeper);

    ping(observable, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"once", "keeper"}));

    journal.clear();
    ping(observable, 5);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"keeper", "joiner"}));
}

TEST(ObservableLifetime, anObserverRegisteredBothWaysMayDeleteItselfOnTheFirstCall)
{
    Journal journal;
    Observable observable;
    Recorder after("after", journal);
    auto self = std::make_unique<Recorder>("self", journal);
    self->onNotify([&] { self.reset(); });
    observable.registerObserver(DataRole(5), self.get());
    observable.registerObserver(self.get());
    observable.registerObserver(&after);

    ping(observable, 5);
    EXPECT_EQ(self, nullptr);
    EXPECT_EQ(names(journal), (std::vector<std::string>{"self", "after"}));
}
