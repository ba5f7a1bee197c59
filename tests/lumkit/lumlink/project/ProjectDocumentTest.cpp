#include "../KitFixture.h"

#include <lumlink/project/ProjectDocument.h>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <poppler-qt5.h>
#include <memory>

using lumlink::project::Project;
using lumlink::project::ProjectDocument;

namespace {

// The text of every page as Poppler reads it back.
QStringList pageTexts(const QString& pdfPath)
{
    const std::unique_ptr<Poppler::Document> pdf(Poppler::Document::load(pdfPath));
    QStringList texts;
    if (!pdf || pdf->isLocked())
        return texts;
    for (int index = 0; index < pdf->numPages(); ++index) {
        const std::unique_ptr<Poppler::Page> page(pdf->page(index));
        texts.append(page->text(QRectF()));
    }
    return texts;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class ProjectDocumentTest : public KitFixture
{
};

TEST_F(ProjectDocumentTest, aPdfHasTheTitlePageTablesAndEveryProgramOnNumberedPages)
{
    Project* project = open(patrolProject());
    ASSERT_NE(project, nullptr);
    ProjectDocument document(*project);
    const QDateTime date(QDate(2026, 3, 14), QTime(9, 30));
    document.setDate(date);
    const QString pdfPath = path("patrol.pdf");
    QString error;
    ASSERT_TRUE(document.write(pdfPath, &error)) << error.toStdString();

    // Title, one page of tables, then the chart and the two diagrams.
    const QStringList pages = pageTexts(pdfPath);
    ASSERT_EQ(pages.size(), 5);
    for (int index = 0; index < pages.size(); ++index) {
        SCOPED_TRACE(index);
        EXPECT_TRUE(pages[index].contains(QStringLiteral("Page %1 of 5").arg(index + 1)));
        EXPECT_TRUE(pages[index].contains("patrol"));
    }
    EXPECT_TRUE(pages[0].contains("patrol.tkp2"));
    EXPECT_TRUE(pages[0].simplified().contains(QLocale().toString(date, QLocale::LongFormat).simplified()))
        << pages[0].toStdString();

    const QString& tables = pages[1];
    for (const char* expected : {"Global variables", "cruiseSpeed", "0.2", "driving", "Devices", "tavik",
                                 "ipAddress = 127.0.0.1", "port = 7171"})
        EXPECT_TRUE(tables.contains(expected)) << expected;

    // Each program under its name; the drawing's own texts come along as text.
    EXPECT_TRUE(pages[2].contains("Patrol"));
    EXPECT_TRUE(pages[2].contains("Sequence chart"));
    EXPECT_TRUE(pages[2].contains("Drive"));
    EXPECT_TRUE(pages[3].contains("drive"));
    EXPECT_TRUE(pages[3].contains("writeDistance"));
    EXPECT_TRUE(pages[4].contains("stop"));
    EXPECT_TRUE(pages[4].contains("Function-block diagram"));

    // A diagram wider than tall gets a landscape page; the title page stays portrait.
    const std::unique_ptr<Poppler::Document> pdf(Poppler::Document::load(pdfPath));
    const std::unique_ptr<Poppler::Page> title(pdf->page(0));
    EXPECT_LT(title->pageSizeF().width(), title->pageSizeF().height());
}

TEST_F(ProjectDocumentTest, aLongTableRunsOnAcrossPagesWithItsHeaderRepeated)
{
    Project* project = lumlink::project::Manager::singleton().createNewProject();
    for (int number = 0; number < 150; ++number)
        ASSERT_TRUE(project->addGlobalVariable(QStringLiteral("variable%1").arg(number, 3, 10, QChar('0')),
                                               "int", QString::number(number)));
    const QString pdfPath = path("long.pdf");
    QString error;
    ASSERT_TRUE(ProjectDocument(*project).writePdf(pdfPath, &error)) << error.toStdString();
    const QStringList pages = pageTexts(pdfPath);
    // A new project has no programs: the title page and the table pages.
    ASSERT_GE(pages.size(), 4);
    EXPECT_TRUE(pages[0].contains("Not saved yet"));
    QString tables;
    for (int index = 1; index < pages.size(); ++index) {
        SCOPED_TRACE(index);
        EXPECT_TRUE(pages[index].contains("Initial value"));
        EXPECT_TRUE(pages[index].contains(QStringLiteral("of %1").arg(pages.size())));
        tables += pages[index];
    }
    for (int number = 0; number < 150; ++number)
        EXPECT_TRUE(tables.contains(QStringLiteral("variable%1").arg(number, 3, 10, QChar('0')))) << number;
    EXPECT_TRUE(pages.last().contains("The project has no devices."));
}

TEST_F(ProjectDocumentTest, postScriptComesFromThePdfAndAFailedWriteLeavesNoFile)
{
    Project* project = open(patrolProject());
    ASSERT_NE(project, nullptr);
    const ProjectDocument document(*project);
    QString error;
    const QString psPath = path("patrol.PS");
    ASSERT_TRUE(document.write(psPath, &error)) << error.toStdString();
    const QByteArray ps = contents(psPath);
    EXPECT_TRUE(ps.startsWith("%!PS")) << ps.left(40).toStdString();
    EXPECT_TRUE(ps.contains("%%Pages: 5"));

    // A folder that is a file, and one that does not exist: refused with a reason, nothing left.
    const QString blocker = path("blocker");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("in the way");
    file.close();
    for (const QString& target : {blocker + "/project.pdf", blocker + "/project.ps",
                                  path("missing/project.pdf"), path("missing/project.ps")}) {
        SCOPED_TRACE(target.toStdString());
        error.clear();
        EXPECT_FALSE(document.write(target, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(target));
    }
    EXPECT_EQ(contents(blocker), QByteArray("in the way"));
    EXPECT_FALSE(QFileInfo::exists(path("missing")));

    // An earlier export of the name stays whole when the new one cannot be written.
    const QString kept = path("kept.pdf");
    ASSERT_TRUE(document.writePdf(kept, &error));
    const QByteArray before = contents(kept);
    QFile::setPermissions(path(QString()), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool folderLocked = !QFile(path("probe")).open(QIODevice::WriteOnly);
    if (folderLocked) {
        EXPECT_FALSE(document.writePdf(kept, &error));
        EXPECT_EQ(contents(kept), before);
    }
    QFile::setPermissions(path(QString()),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
