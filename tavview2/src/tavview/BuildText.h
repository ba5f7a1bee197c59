#pragma once

#include <kirolab/Version.h>
#include <QString>

namespace tavview {

// The workbench's release as shown on the splash and About screens: "3.3.1 Build 20190423".
inline QString buildText()
{
    return QStringLiteral("%1.%2.%3 Build 20190423")
        .arg(kirolab::VersionMajor)
        .arg(kirolab::VersionMinor)
        .arg(kirolab::VersionPatch);
}

} // namespace tavview
