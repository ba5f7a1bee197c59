#pragma once

#include <atomic>
#include <map>
#include <utility>

namespace lum::core {

// An implicitly shared ordered map: copies share one tree until either side changes it.
// Copies may live in different threads; one map object is not to be used by two threads
// at once.
template <typename K, typename V, typename Compare = std::less<K>>
class Map
{
public:
    using map_type = std::map<K, V, Compare>;
    using iterator = typename map_type::iterator;
    using const_iterator = typename map_type::const_iterator;

    Map() : _shared(new Shared) {}

    // Copies share the tree. There are deliberately no move operations: a move is a copy,
    // so the source stays a valid map instead of one without a tree.
    Map(const Map& other) : _shared(other._shared) { _shared->refs.fetch_add(1, std::memory_order_relaxed); }

    Map& operator=(const Map& other)
    {
        Map copy(other);
        std::swap(_shared, copy._shared);
        return *this;
    }

    ~Map() { release(_shared); }

    // Replaces an existing entry.
    void insert(const K& key, const V& value) { detach()[key] = value; }

    // Inserts a default value when the key is absent.
    V& operator[](const K& key) { return detach()[key]; }

    bool contains(const K& key) const { return tree().find(key) != tree().end(); }

    // The value for key, or a default value when absent; never inserts.
    V value(const K& key, const V& fallback = V()) const
    {
        const auto it = tree().find(key);
        return it == tree().end() ? fallback : it->second;
    }

    std::size_t remove(const K& key) { return contains(key) ? detach().erase(key) : 0; }
    void clear() { detach().clear(); }

    std::size_t size() const { return tree().size(); }
    bool isEmpty() const { return tree().empty(); }

    iterator find(const K& key) { return detach().find(key); }
    const_iterator find(const K& key) const { return tree().find(key); }

    // Mutable iteration detaches first so that writes through it never reach a copy.
    iterator begin() { return detach().begin(); }
    iterator end() { return detach().end(); }
    const_iterator begin() const { return tree().cbegin(); }
    const_iterator end() const { return tree().cend(); }
    const_iterator cbegin() const { return tree().cbegin(); }
    const_iterator cend() const { return tree().cend(); }

    bool isSharedWith(const Map& other) const { return _shared == other._shared; }

    bool operator==(const Map& other) const { return _shared == other._shared || tree() == other.tree(); }
    bool operator!=(const Map& other) const { return !(*this == other); }

private:
    struct Shared
    {
        Shared() = default;
        explicit Shared(const map_type& source) : tree(source) {}

        std::atomic<long> refs{1};
        map_type tree;
    };

    static void release(Shared* shared)
    {
        if (shared->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete shared;
    }

    const map_type& tree() const { return _shared->tree; }

    // The acquire load pairs with the release of a copy that another thread dropped: its
    // reads of the tree (copying it, say) are complete before this thread writes in place.
    map_type& detach()
    {
        if (_shared->refs.load(std::memory_order_acquire) > 1) {
            Shared* own = new Shared(_shared->tree);
            release(_shared);
            _shared = own;
        }
        return _shared->tree;
    }

    Shared* _shared;
};

} // namespace lum::core
