#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>

namespace lumlink::project {

class Project;

// The whole project on paper: a title page (name, file, date), the global variables and the
// devices with their parameters as tables, then every program (the sequence charts in project
// order, then the function-block diagrams by name) scaled to fit a page of its own under its
// name; every page numbered. Written as PDF, or as PostScript converted from that PDF.
class ProjectDocument
{
    Q_DECLARE_TR_FUNCTIONS(lumlink::project::ProjectDocument)

public:
    explicit ProjectDocument(const Project& project);

    // The date the title page names; the time of construction unless set.
    void setDate(const QDateTime& date) { _date = date; }

    // PostScript for a name ending in ".ps" (any case), PDF for any other. On failure false, the
    // reason in *error and no file written (an earlier file of the name stays as it was).
    bool write(const QString& path, QString* error) const;
    bool writePdf(const QString& path, QString* error) const;
    bool writePostScript(const QString& path, QString* error) const;

    // The PDF document itself.
    QByteArray pdf() const;

private:
    const Project& _project;
    QDateTime _date;
};

} // namespace lumlink::project
