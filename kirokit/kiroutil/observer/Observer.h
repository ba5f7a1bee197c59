#pragma once

#include <kiroutil/observer/Observable.h>
#include <kiroutil/observer/unordered_set.h>

#include <mutex>
#include <vector>

namespace util::observer {

// Receives notifications from the observables it registered with. Its destructor detaches
// it from all of them, so an observer may die while its observables live on.
template <typename DataRole_t, typename Value_t>
class Observer
{
public:
    using ObservableType = Observable<DataRole_t, Value_t>;

    Observer() = default;
    Observer(const Observer&) = delete;
    Observer& operator=(const Observer&) = delete;

    virtual ~Observer()
    {
        // Our own lock is released before calling into the observables: registration locks
        // observable then observer, and the reverse order here could deadlock.
        std::vector<ObservableType*> observables;
        {
            std::lock_guard<std::recursive_mutex> lock(_mutex);
            observables.assign(_observables.begin(), _observables.end());
        }
        for (ObservableType* observable : observables) {
            observable->deregisterObserver(this);
            observable->deregisterObserverAllRoles(this);
            observable->removeObserver(this);
        }
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        _observables.clear();
    }

    virtual void on_notify(const DataRole_t& role, ObservableType* source, const Value_t& value) = 0;

    void addToObservables(ObservableType* observable)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        _observables.insert(observable);
    }

    void removeFromObservables(ObservableType* observable)
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        _observables.erase(observable);
    }

    bool isRegisteredWith(ObservableType* observable) const
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        return _observables.find(observable) != _observables.end();
    }

private:
    util::unordered_set<ObservableType*> _observables;
    mutable std::recursive_mutex _mutex;
};

} // namespace util::observer
