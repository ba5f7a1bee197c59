#include <kirogen/sdf/actors/Builtins.h>

#include <kirogen/sdf/ActorFactory.h>
#include <kirogen/sdf/actors/Arithmetic.h>
#include <kirogen/sdf/actors/Comparison.h>
#include <kirogen/sdf/actors/Constant.h>
#include <kirogen/sdf/actors/DeviceInput.h>
#include <kirogen/sdf/actors/DeviceOutput.h>
#include <kirogen/sdf/actors/GlobalVariableRead.h>
#include <kirogen/sdf/actors/GlobalVariableWrite.h>
#include <kirogen/sdf/actors/Logic.h>
#include <kirogen/sdf/actors/Not.h>
#include <kirogen/sdf/actors/OnDelayTimer.h>
#include <kirogen/sdf/actors/UnitDelay.h>
#include <kirogen/sdf/actors/UpCounter.h>

namespace kirogen::sdf::actors {

namespace {

template <typename T>
ActorFactory::Creator withSetup()
{
    return [](const ActorSetup& setup) { return std::make_unique<T>(setup); };
}

template <typename T, typename Operation>
ActorFactory::Creator withOperation(Operation operation)
{
    return [operation](const ActorSetup&) { return std::make_unique<T>(operation); };
}

} // namespace

void registerBuiltins(ActorFactory& factory)
{
    const std::vector<std::string> none;
    const std::vector<std::string> out{"out"};
    const std::vector<std::string> in{"in"};
    const std::vector<std::string> ab{"a", "b"};

    factory.registerActor("const", {none, out, withSetup<Constant>()});

    factory.registerActor("add", {ab, out, withOperation<Arithmetic>(Arithmetic::Add)});
    factory.registerActor("sub", {ab, out, withOperation<Arithmetic>(Arithmetic::Subtract)});
    factory.registerActor("mul", {ab, out, withOperation<Arithmetic>(Arithmetic::Multiply)});
    factory.registerActor("div", {ab, out, withOperation<Arithmetic>(Arithmetic::Divide)});

    factory.registerActor("eq", {ab, out, withOperation<Comparison>(Comparison::Equal)});
    factory.registerActor("ne", {ab, out, withOperation<Comparison>(Comparison::NotEqual)});
    factory.registerActor("lt", {ab, out, withOperation<Comparison>(Comparison::Less)});
    factory.registerActor("le", {ab, out, withOperation<Comparison>(Comparison::LessOrEqual)});
    factory.registerActor("gt", {ab, out, withOperation<Comparison>(Comparison::Greater)});
    factory.registerActor("ge", {ab, out, withOperation<Comparison>(Comparison::GreaterOrEqual)});

    factory.registerActor("and", {ab, out, withOperation<Logic>(Logic::And)});
    factory.registerActor("or", {ab, out, withOperation<Logic>(Logic::Or)});
    factory.registerActor("not", {in, out, [](const ActorSetup&) { return std::make_unique<Not>(); }});

    factory.registerActor("ton", {in, {"q", "et"}, withSetup<OnDelayTimer>()});
    factory.registerActor(
        "ctu", {{"cu", "reset"}, {"cv"}, [](const ActorSetup&) { return std::make_unique<UpCounter>(); }});
    factory.registerActor("delay", {in, out, withSetup<UnitDelay>()});

    factory.registerActor("gvread", {none, out, withSetup<GlobalVariableRead>()});
    factory.registerActor("gvwrite", {in, none, withSetup<GlobalVariableWrite>()});
    factory.registerActor("devin", {none, out, withSetup<DeviceInput>()});
    factory.registerActor("devout", {in, none, withSetup<DeviceOutput>()});
}

} // namespace kirogen::sdf::actors
