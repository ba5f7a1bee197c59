#include "tavview/Startup.h"

#include <lumlink/Singletons.h>
#include <QDir>
#include <gtest/gtest.h>

namespace {

// The main window's tests run in the program's surroundings: the built data tree and the
// loaded registries, as the program has them once started.
class WorkbenchSystem : public testing::Environment
{
public:
    void SetUp() override
    {
        QDir::setCurrent(QStringLiteral(TAVVIEW_BUILD_DIR "/bin"));
        lumlink::readIni(QStringLiteral("tavview2.ini"));
        tavview::startup::initLibraries(nullptr);
        lumlink::loadSystem(3);
    }
    void TearDown() override { lumlink::singletons_done(); }
};

const auto* const environment = testing::AddGlobalTestEnvironment(new WorkbenchSystem);

} // namespace
