#include <util/UserProfilePath.h>

#include <kirolab/Version.h>

namespace util {

QString userProfilePath()
{
    return QStringLiteral("Brennic/TavikView%1").arg(kirolab::VersionMajor);
}

} // namespace util
