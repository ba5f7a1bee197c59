#include <kirogen/Singletons.h>

#include <gtest/gtest.h>

namespace {

// The kit's XML parser is initialised once for the whole test program.
class XercesEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { kirogen::singletons_init(nullptr, "UTF-8"); }
    void TearDown() override { kirogen::singletons_done(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new XercesEnvironment);

} // namespace
