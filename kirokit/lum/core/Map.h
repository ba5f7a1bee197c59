#pragma once

#include <map>
#include <memory>
#include <utility>

namespace lum::core {

// An implicitly shared ordered map: copies share one tree until either side changes it.
template <typename K, typename V, typename Compare = std::less<K>>
class Map
{
public:
    using map_type = std::map<K, V, Compare>;
    using iterator = typename map_type::iterator;
    using const_iterator = typename map_type::const_iterator;

    Map() : _data(std::make_shared<map_type>()) {}

    // Copies share the tree. There are deliberately no move operations: a move is a copy of
    // the shared pointer, so the source stays a valid map instead of one without a tree.
    Map(const Map&) = default;
    Map& operator=(const Map&) = default;

    // Replaces an existing entry.
    void insert(const K& key, const V& value) { detach()[key] = value; }

    // Inserts a default value when the key is absent.
    V& operator[](const K& key) { return detach()[key]; }

    bool contains(const K& key) const { return _data->find(key) != _data->end(); }

    // The value for key, or a default value when absent; never inserts.
    V value(const K& key, const V& fallback = V()) const
    {
        const auto it = _data->find(key);
        return it == _data->end() ? fallback : it->second;
    }

    std::size_t remove(const K& key) { return contains(key) ? detach().erase(key) : 0; }
    void clear() { detach().clear(); }

    std::size_t size() const { return _data->size(); }
    bool isEmpty() const { return _data->empty(); }

    iterator find(const K& key) { return detach().find(key); }
    const_iterator find(const K& key) const { return _data->find(key); }

    // Mutable iteration detaches first so that writes through it never reach a copy.
    iterator begin() { return detach().begin(); }
    iterator end() { return detach().end(); }
    const_iterator begin() const { return _data->cbegin(); }
    const_iterator end() const { return _data->cend(); }
    const_iterator cbegin() const { return _data->cbegin(); }
    const_iterator cend() const { return _data->cend(); }

    bool isSharedWith(const Map& other) const { return _data == other._data; }

    bool operator==(const Map& other) const { return _data == other._data || *_data == *other._data; }
    bool operator!=(const Map& other) const { return !(*this == other); }

private:
    map_type& detach()
    {
        if (_data.use_count() > 1)
            _data = std::make_shared<map_type>(*_data);
        return *_data;
    }

    std::shared_ptr<map_type> _data;
};

} // namespace lum::core
