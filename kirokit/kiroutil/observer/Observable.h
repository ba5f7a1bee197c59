#pragma once

#include <kiroutil/observer/unordered_set.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <set>

namespace util::observer {

template <typename DataRole_t, typename Value_t>
class Observer;

// Something that tells its observers about changes, tagged with a role. Observers register
// for one role or for all roles; delivery follows registration order. Child observables
// receive their parent's observers when they are added and whenever the parent gains one.
template <typename DataRole_t, typename Value_t>
class Observable
{
public:
    using ObserverType = Observer<DataRole_t, Value_t>;

    Observable() = default;
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;

    virtual ~Observable()
    {
        State* state = _state.load(std::memory_order_acquire);
        if (!state)
            return;
        std::set<Observable*> listedIn;
        {
            std::lock_guard<std::recursive_mutex> lock(state->mutex);
            for (ObserverType* observer : state->observers)
                observer->removeFromObservables(this);
            for (Observable* child : state->children.inOrder()) {
                State& childState = child->state();
                std::lock_guard<std::recursive_mutex> childLock(childState.mutex);
                if (childState.parent == this)
                    childState.parent = nullptr;
                childState.listedIn.erase(this);
            }
            listedIn.swap(state->listedIn);
        }
        // Every observable that lists us as a child forgets us, the parent and any other: a
        // dangling child would be reached by the next registration. Their locks are taken
        // after ours is released, since adding a child locks parent then child.
        for (Observable* parent : listedIn) {
            State& parentState = parent->state();
            std::lock_guard<std::recursive_mutex> lock(parentState.mutex);
            parentState.children.erase(this);
        }
        delete state;
    }

    void registerObserver(ObserverType* observer)
    {
        State& s = state();
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        s.observers.insert(observer);
        s.allRolesObservers.insert(observer);
        observer->addToObservables(this);
        for (Observable* child : s.children.inOrder())
            child->registerObserver(observer);
    }

    void registerObserver(const DataRole_t& role, ObserverType* observer)
    {
        State& s = state();
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        s.observers.insert(observer);
        s.roleObservers[role].insert(observer);
        observer->addToObservables(this);
        for (Observable* child : s.children.inOrder())
            child->registerObserver(role, observer);
    }

    void deregisterObserver(ObserverType* observer)
    {
        State& s = state();
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        s.allRolesObservers.erase(observer);
        for (Observable* child : s.children.inOrder())
            child->deregisterObserver(observer);
    }

    void deregisterObserver(const DataRole_t& role, ObserverType* observer)
    {
        State& s = state();
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        const auto entry = s.roleObservers.find(role);
        if (entry != s.roleObservers.end())
            entry->second.erase(observer);
        for (Observable* child : s.children.inOrder())
            child->deregisterObserver(role, observer);
    }

    void deregisterObserverAllRoles(ObserverType* observer)
    {
        State& s = state();
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        for (auto& entry : s.roleObservers)
            deregisterObserver(entry.first, observer);
        for (Observable* child : s.children.inOrder())
            child->deregisterObserverAllRoles(observer);
    }

    void removeObserver(ObserverType* observer)
    {
        State& s = state();
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        s.observers.erase(observer);
    }

    // Delivers synchronously on the calling thread, role observers first, then the
    // all-roles observers. The lists are copied first so that an observer may register or
    // deregister from inside its own on_notify; one deregistered by an earlier observer of
    // the same delivery is skipped, as it may already be gone.
    void notify(const DataRole_t& role, Observable* source, const Value_t& value)
    {
        State* state = _state.load(std::memory_order_acquire);
        if (!state)
            return;
        State& s = *state;
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        const auto entry = s.roleObservers.find(role);
        if (entry != s.roleObservers.end()) {
            for (ObserverType* observer : entry->second.inOrder()) {
                if (entry->second.find(observer) != entry->second.end())
                    observer->on_notify(role, source, value);
            }
        }
        for (ObserverType* observer : s.allRolesObservers.inOrder()) {
            if (s.allRolesObservers.find(observer) != s.allRolesObservers.end())
                observer->on_notify(role, source, value);
        }
    }

    void addChildObservable(Observable* child)
    {
        State& s = state();
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        if (s.children.find(child) != s.children.end())
            return;
        s.children.insert(child);

        State& childState = child->state();
        std::lock_guard<std::recursive_mutex> childLock(childState.mutex);
        childState.listedIn.insert(this);
        if (childState.parent)
            return;
        childState.parent = this;
        for (const auto& entry : s.roleObservers) {
            for (ObserverType* observer : entry.second.inOrder())
                child->registerObserver(entry.first, observer);
        }
        for (ObserverType* observer : s.allRolesObservers.inOrder())
            child->registerObserver(observer);
    }

    // Detaches the child and takes back the registrations it received from this parent, so
    // that the child never notifies an observer that has since forgotten it. A child listed
    // here while having another parent (or none, after its parent died) is only unlisted.
    void removeChildObservable(Observable* child)
    {
        State& s = state();
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        if (s.children.find(child) == s.children.end())
            return;
        s.children.erase(child);

        State& childState = child->state();
        std::lock_guard<std::recursive_mutex> childLock(childState.mutex);
        childState.listedIn.erase(this);
        if (childState.parent != this)
            return;
        childState.parent = nullptr;
        for (const auto& entry : s.roleObservers) {
            for (ObserverType* observer : entry.second.inOrder())
                child->forget(entry.first, observer);
        }
        for (ObserverType* observer : s.allRolesObservers.inOrder())
            child->forget(observer);
    }

    // No lock of our own around the call: the parent locks itself, then us; taking ours
    // first would invert that order against a concurrent registration on the parent.
    void addAsChildObservable(Observable* parent) { parent->addChildObservable(this); }
    void removeAsChildObservable(Observable* parent) { parent->removeChildObservable(this); }

    Observable* parentObservable() const
    {
        State* s = _state.load(std::memory_order_acquire);
        if (!s)
            return nullptr;
        std::lock_guard<std::recursive_mutex> lock(s->mutex);
        return s->parent;
    }

private:
    struct State
    {
        std::set<ObserverType*> observers;
        std::map<DataRole_t, util::unordered_set<ObserverType*>> roleObservers;
        util::unordered_set<ObserverType*> allRolesObservers;
        util::unordered_set<Observable*> children;
        Observable* parent = nullptr;
        std::set<Observable*> listedIn; // observables listing this one as a child, parent included
        std::recursive_mutex mutex;
    };

    // Most observables of a large project (its global variables) never get an observer, a
    // parent or a child; they carry no state until the first of these arrives.
    State& state()
    {
        State* existing = _state.load(std::memory_order_acquire);
        if (existing)
            return *existing;
        auto created = std::make_unique<State>();
        if (_state.compare_exchange_strong(existing, created.get(), std::memory_order_acq_rel,
                                           std::memory_order_acquire))
            return *created.release();
        return *existing;
    }

    // Undoes a registration handed down by a parent, here and in every descendant.
    void forget(const DataRole_t& role, ObserverType* observer)
    {
        deregisterObserver(role, observer);
        dropIfUnregistered(observer);
    }

    void forget(ObserverType* observer)
    {
        deregisterObserver(observer);
        dropIfUnregistered(observer);
    }

    void dropIfUnregistered(ObserverType* observer)
    {
        State& s = state();
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        for (Observable* child : s.children.inOrder())
            child->dropIfUnregistered(observer);
        if (s.allRolesObservers.find(observer) != s.allRolesObservers.end())
            return;
        for (const auto& entry : s.roleObservers) {
            if (entry.second.find(observer) != entry.second.end())
                return;
        }
        s.observers.erase(observer);
        observer->removeFromObservables(this);
    }

    std::atomic<State*> _state{nullptr};
};

} // namespace util::observer

#include <kiroutil/observer/Observer.h>
