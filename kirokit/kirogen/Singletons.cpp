#include <kirogen/Singletons.h>

#include <xercesc/util/PlatformUtils.hpp>

#include <stdexcept>

namespace kirogen {

namespace {
observer::Observer* g_loadingObserver = nullptr;
std::string g_encoding = "UTF-8";
} // namespace

void singletons_init(observer::Observer* loadingObserver, const std::string& encoding)
{
    if (encoding != "UTF-8" && encoding != "ISO-8859-1")
        throw std::invalid_argument("Unsupported model encoding: " + encoding);
    xercesc::XMLPlatformUtils::Initialize();
    g_loadingObserver = loadingObserver;
    g_encoding = encoding;
}

void singletons_done()
{
    g_loadingObserver = nullptr;
    xercesc::XMLPlatformUtils::Terminate();
}

observer::Observer* loadingObserver()
{
    return g_loadingObserver;
}

const std::string& modelEncoding()
{
    return g_encoding;
}

} // namespace kirogen
