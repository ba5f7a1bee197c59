#pragma once

#include <algorithm>
#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace util {

// An ordered set that also remembers insertion order. Despite the name it does not hash:
// lookups go through the std::set, while the order vector replays insertion order.
template <typename T, typename Compare = std::less<T>>
class unordered_set
{
public:
    using set_type = std::set<T, Compare>;
    using iterator = typename set_type::iterator;
    using const_iterator = typename set_type::const_iterator;
    using order_iterator = typename std::vector<const_iterator>::const_iterator;

    unordered_set() = default;

    // The order vector points into the set it belongs to, so a copy rebuilds it against its
    // own set; moves and swaps keep the nodes and with them the iterators.
    unordered_set(const unordered_set& other) : _set(other._set.key_comp())
    {
        for (const auto& it : other._order)
            insert(*it);
    }

    unordered_set(unordered_set&& other) noexcept : _set(other._set.key_comp()) { swap(other); }

    unordered_set& operator=(unordered_set other) noexcept
    {
        swap(other);
        return *this;
    }

    void swap(unordered_set& other) noexcept
    {
        _set.swap(other._set);
        _order.swap(other._order);
    }

    std::pair<iterator, bool> insert(const T& value)
    {
        auto result = _set.insert(value);
        if (result.second)
            _order.push_back(result.first);
        return result;
    }

    std::size_t erase(const T& value)
    {
        const auto it = _set.find(value);
        if (it == _set.end())
            return 0;
        erase(it);
        return 1;
    }

    void erase(const_iterator it)
    {
        _order.erase(std::find(_order.begin(), _order.end(), it));
        _set.erase(it);
    }

    iterator find(const T& value) { return _set.find(value); }
    const_iterator find(const T& value) const { return _set.find(value); }

    iterator begin() { return _set.begin(); }
    iterator end() { return _set.end(); }
    const_iterator begin() const { return _set.begin(); }
    const_iterator end() const { return _set.end(); }

    // Iteration in insertion order; the elements are reached through set iterators.
    order_iterator beginInOrder() const { return _order.begin(); }
    order_iterator endInOrder() const { return _order.end(); }

    // The elements in insertion order, copied: safe to walk while the set changes.
    std::vector<T> inOrder() const
    {
        std::vector<T> values;
        values.reserve(_order.size());
        for (const auto& it : _order)
            values.push_back(*it);
        return values;
    }

    bool empty() const { return _set.empty(); }
    std::size_t size() const { return _set.size(); }

    void clear()
    {
        _order.clear();
        _set.clear();
    }

private:
    set_type _set;
    std::vector<const_iterator> _order;
};

} // namespace util
