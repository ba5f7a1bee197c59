// What the robot's shell prints, as the telnet client hands it on: text in pieces that may cut
// lines anywhere. The first byte chooses the cuts.
#include <tavview/Telnet.h>
#include <tavview/TelnetClient.h>
#include <Chunks.h>
#include <FuzzCheck.h>
#include <FuzzEnvironment.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

namespace {

using tavview::Telnet;

QString g_chunk;

Telnet* g_telnet = nullptr;

void checkVariable(const QString& name, const QString& value)
{
    const std::string text = "\"" + name.toStdString() + "\" = \"" + value.toStdString() + "\"";
    // Both come whole from one line of the piece that holds the line's one separator.
    FUZZ_CHECK(g_chunk.contains(name + QStringLiteral(";;") + value),
               "variable " + text + " is not in its piece");
    FUZZ_CHECK(!name.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\n')),
               "variable " + text + " spans lines");
    FUZZ_CHECK(!name.contains(QStringLiteral(";;")) && !value.contains(QStringLiteral(";;")),
               "variable " + text + " holds the separator");
}

void checkVersion(const lum::core::Version& version)
{
    FUZZ_CHECK(!version.isEmpty(), "an empty version was reported");
    FUZZ_CHECK(g_chunk.contains(QStringLiteral("TavikView Interpreter Version")),
               "version " + version.toString() + " reported without a banner");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::application();
    // A file where the profile folder would go: the debug log, which keeps everything it is
    // given, stays closed.
    QDir().mkpath(QDir::homePath());
    QFile blocker(QDir::homePath() + QStringLiteral("/Brennic"));
    blocker.open(QIODevice::WriteOnly);

    g_telnet = new Telnet(&fuzz::application(), true);
    QObject::connect(g_telnet, &Telnet::globalVariableReceived, checkVariable);
    QObject::connect(g_telnet, &Telnet::interpreterVersionReceived, checkVersion);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    auto* client = g_telnet->findChild<tavview::TelnetClient*>(QStringLiteral("telnet"));
    FUZZ_CHECK(client, "the telnet client is missing");
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    for (const std::string_view piece : fuzz::chunks(text, data[0])) {
        g_chunk = QString::fromUtf8(piece.data(), static_cast<int>(piece.size()));
        emit client->message(g_chunk);
    }
    return 0;
}
