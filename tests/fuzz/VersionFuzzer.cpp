// The interpreter's version as the workbench reads it from the banner line.
#include <lum/core/Version.h>
#include <FuzzCheck.h>

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// A number of the version is one the text holds (its digits, maybe after a sign and zeros):
// never clamped, wrapped or made up.
void checkTaken(int number, const std::string& text)
{
    const long long magnitude = number < 0 ? -static_cast<long long>(number) : number;
    FUZZ_CHECK(number == 0 || text.find(std::to_string(magnitude)) != std::string::npos,
               "version number " + std::to_string(number) + " is not in \"" + text + "\"");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The banner reaches the parser as a C string: it ends at the first NUL.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string cText = text.c_str();

    lum::core::Version version;
    version.fromString(text.c_str());
    checkTaken(version.major(), cText);
    checkTaken(version.minor(), cText);
    checkTaken(version.patch(), cText);

    // What is printed reads back as the same version.
    if (!version.isEmpty()) {
        lum::core::Version again;
        again.fromString(version.toString().c_str());
        FUZZ_CHECK(again == version,
                   "\"" + version.toString() + "\" reads back as \"" + again.toString() + "\"");
    } else {
        FUZZ_CHECK(version.toString().empty(), "an empty version prints \"" + version.toString() + "\"");
    }

    // The workbench's way in: Latin-1 text.
    const lum::core::Version fromQString(QString::fromLatin1(cText.c_str()));
    FUZZ_CHECK(fromQString == version, "\"" + cText + "\" reads differently from a QString");
    return 0;
}
