#pragma once

#include <memory>

namespace util {

// Lets an object that lives in a std::shared_ptr hand out further shared pointers to
// itself, e.g. an observable passing itself on from inside a notification. A thin layer over
// std::enable_shared_from_this whose getPtr() gives an empty pointer, instead of throwing,
// when the object is not (or no longer) owned by a shared pointer: during destruction, say.
template <typename T>
class SharedForThisEnabled : public std::enable_shared_from_this<T>
{
public:
    std::shared_ptr<T> getPtr() { return this->weak_from_this().lock(); }
    std::shared_ptr<const T> getPtr() const { return this->weak_from_this().lock(); }

protected:
    SharedForThisEnabled() = default;
    SharedForThisEnabled(const SharedForThisEnabled&) = default;
    SharedForThisEnabled& operator=(const SharedForThisEnabled&) = default;
    ~SharedForThisEnabled() = default;
};

} // namespace util
