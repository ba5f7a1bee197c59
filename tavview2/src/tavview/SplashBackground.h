#pragma once

#include <QPixmap>

namespace tavview {

// The start picture with the version line painted on it; shared by the splash screen and the
// About dialog, so both show the same line. A new picture on every call.
QPixmap splashBackground();

} // namespace tavview
