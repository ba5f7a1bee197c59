#include "lumlink/RuntimeLogReceiver.h"

#include <kiroutil/log/Log.h>
#include <lum/qt/log/Log.h>
#include <QString>

namespace lumlink {

RuntimeLogReceiver::RuntimeLogReceiver()
{
    // The message window's levels have the runtime kit's values.
    _registration = kiroutil::Log::singleton().registerReceiver(
        [](kiroutil::Log::LogMessageVerbosity verbosity, const std::string& message) {
            lum::qt::log::Log::log(static_cast<lum::qt::log::Log::Level>(verbosity),
                                   QString::fromStdString(message));
        },
        kiroutil::Log::Note);
}

RuntimeLogReceiver::~RuntimeLogReceiver()
{
    kiroutil::Log::singleton().deregisterReceiver(_registration);
}

} // namespace lumlink
