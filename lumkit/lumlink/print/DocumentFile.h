#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

namespace lumlink::print {

// Writes a finished PDF document to a file, as it is or converted to PostScript (Qt 5 prints no
// PostScript itself). Either the whole file is written or nothing: on failure the reason is in
// *error and an earlier file of that name stays as it was.
class DocumentFile
{
    Q_DECLARE_TR_FUNCTIONS(lumlink::print::DocumentFile)

public:
    static bool writePdf(const QByteArray& pdf, const QString& path, QString* error);
    // The paper takes the first page's size; pages of the other orientation are turned to fit.
    static bool writePostScript(const QByteArray& pdf, const QString& title, const QString& path,
                                QString* error);
};

} // namespace lumlink::print
