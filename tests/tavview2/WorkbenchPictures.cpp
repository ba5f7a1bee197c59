#include <QDir>
#include <gtest/gtest.h>

// Outside any namespace: the macros declare the resource functions where they are used.
static void initResources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(appicon);
}

static void cleanupResources()
{
    Q_CLEANUP_RESOURCE(appicon);
    Q_CLEANUP_RESOURCE(images);
}

namespace {

// The workbench's pictures, registered as the program registers them.
class WorkbenchPictures : public testing::Environment
{
public:
    void SetUp() override { initResources(); }
    void TearDown() override { cleanupResources(); }
};

const auto* const environment = testing::AddGlobalTestEnvironment(new WorkbenchPictures);

} // namespace
