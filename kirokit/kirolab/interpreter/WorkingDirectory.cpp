#include <kirolab/interpreter/WorkingDirectory.h>

#include <kirolab/Version.h>

namespace kirolab::interpreter {

QString workingDirectoryFor(const QString& programDir)
{
    const QString sourceFolder = QStringLiteral("tavview%1").arg(VersionMajor);
    struct Rule
    {
        const char* suffix;
        const char* up;
    };
    static const Rule rules[] = {
        {"bin", nullptr},
        {"target", "/../"},
        {"target/debug", "/../../"},
        {"target/release", "/../../"},
        {"target/minsizerel", "/../../"},
        {"target/relwithdebinfo", "/../../"},
    };
    for (const Rule& rule : rules) {
        if (!programDir.endsWith(QLatin1String(rule.suffix), Qt::CaseInsensitive))
            continue;
        if (!rule.up)
            return programDir;
        return programDir + QLatin1String(rule.up) + sourceFolder;
    }
    return QString();
}

} // namespace kirolab::interpreter
