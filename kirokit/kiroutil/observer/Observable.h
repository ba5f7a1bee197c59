#pragma once

#include <kiroutil/observer/unordered_set.h>

#include <map>
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
        std::set<Observable*> listedIn;
        {
            std::lock_guard<std::recursive_mutex> lock(_mutex);
            for (ObserverType* observer : _observers)
                observer->removeFromObservables(this);
            for (Observable* child : _children.inOrder()) {
                std::lock_guard<std::recursive_mutex> childLock(child->_mutex);
                if (child->_parent == this)
                    child->_parent = nullptr;
                child->_listedIn.erase(this);
            }
            listedIn.swap(_listedIn);
        }
        // Every observable that lists us as a child forgets us, the parent and any other: a
        // dangling child would be reached by the next registration. Their locks are taken
        // after ours is released, since adding a child locks parent then child.
        for (Observable* parent : listedIn) {
            std::lock_guard<std::recursive_mutex> lock(parent->_mutex);
            parent->_children.erase(this);
        }
    }

    void registerObserver(ObserverType* observer)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        _observers.insert(observer);
        _allRolesObservers.insert(observer);
        observer->addToObservables(this);
        for (Observable* child : _children.inOrder())
            child->registerObserver(observer);
    }

    void registerObserver(const DataRole_t& role, ObserverType* observer)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        _observers.insert(observer);
        _roleObservers[role].insert(observer);
        observer->addToObservables(this);
        for (Observable* child : _children.inOrder())
            child->registerObserver(role, observer);
    }

    void deregisterObserver(ObserverType* observer)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        _allRolesObservers.erase(observer);
        for (Observable* child : _children.inOrder())
            child->deregisterObserver(observer);
    }

    void deregisterObserver(const DataRole_t& role, ObserverType* observer)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        const auto entry = _roleObservers.find(role);
        if (entry != _roleObservers.end())
            entry->second.erase(observer);
        for (Observable* child : _children.inOrder())
            child->deregisterObserver(role, observer);
    }

    void deregisterObserverAllRoles(ObserverType* observer)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        for (auto& entry : _roleObservers)
            deregisterObserver(entry.first, observer);
        for (Observable* child : _children.inOrder())
            child->deregisterObserverAllRoles(observer);
    }

    void removeObserver(ObserverType* observer)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        _observers.erase(observer);
    }

    // Delivers synchronously on the calling thread, role observers first, then the
    // all-roles observers. The lists are copied first so that an observer may register or
    // deregister from inside its own on_notify; one deregistered by an earlier observer of
    // the same delivery is skipped, as it may already be gone.
    void notify(const DataRole_t& role, Observable* source, const Value_t& value)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        const auto entry = _roleObservers.find(role);
        if (entry != _roleObservers.end()) {
            for (ObserverType* observer : entry->second.inOrder()) {
                if (entry->second.find(observer) != entry->second.end())
                    observer->on_notify(role, source, value);
            }
        }
        for (ObserverType* observer : _allRolesObservers.inOrder()) {
            if (_allRolesObservers.find(observer) != _allRolesObservers.end())
                observer->on_notify(role, source, value);
        }
    }

    void addChildObservable(Observable* child)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        if (_children.find(child) != _children.end())
            return;
        _children.insert(child);

        std::lock_guard<std::recursive_mutex> childLock(child->_mutex);
        child->_listedIn.insert(this);
        if (child->_parent)
            return;
        child->_parent = this;
        for (const auto& entry : _roleObservers) {
            for (ObserverType* observer : entry.second.inOrder())
                child->registerObserver(entry.first, observer);
        }
        for (ObserverType* observer : _allRolesObservers.inOrder())
            child->registerObserver(observer);
    }

    // Detaches the child and takes back the registrations it received from this parent, so
    // that the child never notifies an observer that has since forgotten it. A child listed
    // here while having another parent (or none, after its parent died) is only unlisted.
    void removeChildObservable(Observable* child)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        if (_children.find(child) == _children.end())
            return;
        _children.erase(child);

        std::lock_guard<std::recursive_mutex> childLock(child->_mutex);
        child->_listedIn.erase(this);
        if (child->_parent != this)
            return;
        child->_parent = nullptr;
        for (const auto& entry : _roleObservers) {
            for (ObserverType* observer : entry.second.inOrder())
                child->forget(entry.first, observer);
        }
        for (ObserverType* observer : _allRolesObservers.inOrder())
            child->forget(observer);
    }

    // No lock of our own around the call: the parent locks itself, then us; taking ours
    // first would invert that order against a concurrent registration on the parent.
    void addAsChildObservable(Observable* parent) { parent->addChildObservable(this); }
    void removeAsChildObservable(Observable* parent) { parent->removeChildObservable(this); }

    Observable* parentObservable() const
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        return _parent;
    }

private:
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
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        for (Observable* child : _children.inOrder())
            child->dropIfUnregistered(observer);
        if (_allRolesObservers.find(observer) != _allRolesObservers.end())
            return;
        for (const auto& entry : _roleObservers) {
            if (entry.second.find(observer) != entry.second.end())
                return;
        }
        _observers.erase(observer);
        observer->removeFromObservables(this);
    }

    std::set<ObserverType*> _observers;
    std::map<DataRole_t, util::unordered_set<ObserverType*>> _roleObservers;
    util::unordered_set<ObserverType*> _allRolesObservers;
    util::unordered_set<Observable*> _children;
    Observable* _parent = nullptr;
    std::set<Observable*> _listedIn; // observables listing this one as a child, parent included
    mutable std::recursive_mutex _mutex;
};

} // namespace util::observer

#include <kiroutil/observer/Observer.h>
