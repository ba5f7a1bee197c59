#include <tavview/ShellQuote.h>
#include <tavview/uploader/InterpreterCommand.h>
#include <algorithm>

namespace tavview::uploader {

QString interpreterCommandLine(int intervalMs, const QString& path)
{
    const bool hasControl = std::any_of(path.cbegin(), path.cend(),
                                        [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
    if (path.isEmpty() || hasControl)
        return QString();
    return QStringLiteral("sudo /usr/bin/tavview_interpreter --global-variable-output-interval %1 -f %2")
        .arg(QString::number(intervalMs), shellQuoted(path));
}

} // namespace tavview::uploader
