#include <kirogen/observer/ModelObserver.h>

#include <gtest/gtest.h>

#include <vector>

using kirogen::observer::DataRole;
using lum::core::variant::Variant;

namespace {

struct Recorder : kirogen::observer::Observer
{
    std::vector<int> roles;
    void on_notify(const DataRole& role, kirogen::observer::Observable*, const Variant&) override
    {
        roles.push_back(role.value());
    }
};

} // namespace

TEST(Observable, roleObserverReceivesOnlyItsRole)
{
    kirogen::observer::Observable observable;
    Recorder recorder;
    observable.registerObserver(DataRole(5), &recorder);
    observable.notify(DataRole(6), &observable, Variant());
    observable.notify(DataRole(5), &observable, Variant());
    EXPECT_EQ(recorder.roles, std::vector<int>{5});
}
