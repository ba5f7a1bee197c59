#include "ModalAnswers.h"
#include "tavview/MainWindow.h"

#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <lumlink/Actions.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/View.h>
#include <lumlink/project/import/DeviceMappingDialog.h>
#include <lumlink/project/import/SdfDialog.h>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>

using lumlink::project::Manager;
using lumlink::project::Project;
using lumlink::project::import::DeviceMappingDialog;
using lumlink::project::import::SdfDialog;

namespace {

const QString examples = QStringLiteral(TAVVIEW_BUILD_DIR "/examples");

QStringList programNames(const Project* project)
{
    QStringList names;
    for (const auto& sfc : project->kirogenProject()->sfcModels())
        names.append(QString::fromStdString(sfc->name()));
    for (const auto& entry : project->kirogenProject()->diagrams())
        names.append(QString::fromStdString(entry.first));
    return names;
}

QByteArray fileStart(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
}

void choose(QFileDialog* dialog, const QString& path)
{
    // Typed, as a user does: selectFile() leaves the name field alone while it has the focus.
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    // Through QDialog, where accepting is public; QFileDialog's own accept() runs.
    static_cast<QDialog*>(dialog)->accept();
}

class ImportExportTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().clear();
        // Qt's own dialogs, on every platform: the tests answer them as widgets.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        window = std::make_unique<tavview::MainWindow>();
        project = Manager::singleton().activeProject();
    }

    void TearDown() override
    {
        window.reset();
        // The edited project goes with the window: the next window starts without asking to save it.
        Manager::singleton().closeProject();
        QCoreApplication::processEvents();
    }

    // Triggers the shared action with the dialogs it opens answered in turn.
    static void trigger(QAction* action, std::deque<ModalAnswers::Answer> answers)
    {
        ModalAnswers dialogs(std::move(answers));
        action->trigger();
        EXPECT_TRUE(dialogs.allGiven()) << qPrintable(action->text());
    }

    static QAction* importAction() { return lumlink::Actions::singleton().importSdfAction; }
    static QAction* exportProgramAction() { return lumlink::Actions::singleton().exportProgramAction; }
    static QAction* exportProjectAction() { return lumlink::Actions::singleton().exportProjectAction; }

    // What the export dialog proposes: the file name and the selected filter; then cancelled.
    std::pair<QString, QString> exportProposal(QAction* action)
    {
        std::pair<QString, QString> proposal;
        trigger(action, {answer<QFileDialog>([&](QFileDialog* dialog) {
                    proposal = {dialog->selectedFiles().value(0), dialog->selectedNameFilter()};
                    dialog->reject();
                })});
        return proposal;
    }

    // Exports through the dialog under the given name with the filter of the given index.
    void exportAs(QAction* action, const QString& path, int filter)
    {
        trigger(action, {answer<QFileDialog>([&](QFileDialog* dialog) {
                    dialog->selectNameFilter(dialog->nameFilters().value(filter));
                    choose(dialog, path);
                })});
    }

    std::unique_ptr<tavview::MainWindow> window;
    Project* project = nullptr;
};

} // namespace

TEST_F(ImportExportTest, ImportWithoutDevicesSkipsTheMappingAndIsUndoneInOneStep)
{
    QSettings().setValue("loadDirectory", examples);
    const std::string before = project->kirogenProject()->toXml();
    const QString counter = examples + "/counter.tkp2";
    QString startedIn;
    trigger(importAction(), {answer<QFileDialog>([&](QFileDialog* dialog) {
                                 startedIn = dialog->directory().absolutePath();
                                 EXPECT_EQ(dialog->windowTitle(), "Choose Project");
                                 EXPECT_EQ(dialog->nameFilters(), QStringList{window->projectLoadFilter()});
                                 choose(dialog, counter);
                             }),
                             answer<SdfDialog>([](SdfDialog* dialog) { dialog->accept(); })});
    EXPECT_EQ(startedIn, examples);
    EXPECT_EQ(QSettings().value("importLoadDirectory").toString(), counter);
    EXPECT_EQ(programNames(project), (QStringList{"Main", "count"}));
    EXPECT_TRUE(window->isWindowModified());

    project->undoStack()->undo();
    EXPECT_EQ(project->kirogenProject()->toXml(), before);
    EXPECT_FALSE(window->isWindowModified());

    // The next import starts beside the last one's file, with it selected; cancelled, it ends.
    QStringList selected;
    trigger(importAction(), {answer<QFileDialog>([&](QFileDialog* dialog) {
                selected = dialog->selectedFiles();
                dialog->reject();
            })});
    EXPECT_EQ(selected, QStringList{counter});
    EXPECT_EQ(project->kirogenProject()->toXml(), before);
}

TEST_F(ImportExportTest, ImportWithDevicesMapsThemOntoTheProjectsOwn)
{
    const QString robot = examples + "/robot.tkp2";
    ASSERT_EQ(project->devices().size(), 1);
    const QString ownRobot = project->devices().first()->name();
    trigger(importAction(), {answer<QFileDialog>([&](QFileDialog* dialog) { choose(dialog, robot); }),
                             answer<DeviceMappingDialog>([&](DeviceMappingDialog* dialog) {
                                 QComboBox* choice = dialog->choice("tavik");
                                 ASSERT_NE(choice, nullptr);
                                 choice->setCurrentIndex(choice->findData(ownRobot));
                                 dialog->accept();
                             }),
                             answer<SdfDialog>([](SdfDialog* dialog) { dialog->accept(); })});
    EXPECT_EQ(programNames(project), (QStringList{"Patrol", "back", "drive", "stop", "turn"}));
    // Mapped, the other project's robot is not copied.
    EXPECT_EQ(project->devices().size(), 1);
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(ImportExportTest, ImportRejectedOrUnreadableChangesNothing)
{
    const std::string before = project->kirogenProject()->toXml();
    const QString robot = examples + "/robot.tkp2";
    trigger(importAction(),
            {answer<QFileDialog>([&](QFileDialog* dialog) { choose(dialog, robot); }),
             answer<DeviceMappingDialog>([](DeviceMappingDialog* dialog) { dialog->reject(); })});
    EXPECT_EQ(project->kirogenProject()->toXml(), before);
    EXPECT_EQ(QSettings().value("importLoadDirectory").toString(), robot);

    trigger(importAction(),
            {answer<QFileDialog>([&](QFileDialog* dialog) { choose(dialog, robot); }),
             answer<DeviceMappingDialog>([](DeviceMappingDialog* dialog) { dialog->accept(); }),
             answer<SdfDialog>([](SdfDialog* dialog) { dialog->reject(); })});
    EXPECT_EQ(project->kirogenProject()->toXml(), before);

    QTemporaryDir folder;
    const QString broken = folder.filePath("broken.tkp2");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<project>not closed");
    file.close();
    QString title;
    QString text;
    trigger(importAction(), {answer<QFileDialog>([&](QFileDialog* dialog) { choose(dialog, broken); }),
                             answer<QMessageBox>([&](QMessageBox* box) {
                                 title = box->windowTitle();
                                 text = box->text();
                                 box->accept();
                             })});
    EXPECT_EQ(title, "Invalid project");
    EXPECT_EQ(text, "The specified project could not be loaded.");
    EXPECT_EQ(project->kirogenProject()->toXml(), before);
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(ImportExportTest, ProgramExportProposesTheProgramsNameAndTheNameDecidesTheFormat)
{
    // A never saved project, no directories stored: the root directory and the program's name.
    lumlink::Actions::singleton().newSdfAction->trigger();
    lumlink::project::View* view = window->programView();
    ASSERT_NE(view, nullptr);
    const QString program = view->tabText(view->currentIndex());
    ASSERT_FALSE(program.isEmpty());
    QStringList filters;
    QString title;
    trigger(exportProgramAction(), {answer<QFileDialog>([&](QFileDialog* dialog) {
                filters = dialog->nameFilters();
                title = dialog->windowTitle();
                dialog->reject();
            })});
    EXPECT_EQ(title, "Specify file name");
    ASSERT_EQ(filters.size(), 3);
    EXPECT_EQ(filters[0], "PDF document (*.pdf)");
    EXPECT_EQ(filters[1], "PostScript document (*.ps)");
    EXPECT_TRUE(filters[2].startsWith("Image (*.") && filters[2].contains("*.png *.") &&
                filters[2].endsWith(")") && !filters[2].contains(" )"))
        << qPrintable(filters[2]);
    EXPECT_EQ(exportProposal(exportProgramAction()), std::make_pair("/" + program, filters[0]));
    EXPECT_FALSE(QSettings().contains("Export/saveDirectory"));

    // A saved project robot.tkp2 showing its program Main.
    QTemporaryDir folder;
    const QString robot = folder.filePath("robot.tkp2");
    ASSERT_TRUE(QFile::copy(examples + "/counter.tkp2", robot));
    window->open(robot);
    view = window->programView();
    view->setCurrentIndex(view->indexOfProgram("Main"));
    EXPECT_EQ(exportProposal(exportProgramAction()).first, folder.filePath("robot_Main"));

    // With the PDF filter selected, a ".png" name is written as an image (of a function-block
    // diagram: the view exports no sequence charts).
    view->setCurrentIndex(view->indexOfProgram("count"));
    const QString png = folder.filePath("main.png");
    exportAs(exportProgramAction(), png, 0);
    EXPECT_EQ(QImageReader(png).format(), "png");
    EXPECT_EQ(QSettings().value("Export/programSelectedFilter").toInt(), 0);
    // Only the lower-case endings name documents: ".PDF" goes to the image export, which has no
    // such format and writes nothing; the dialog's choices are kept all the same.
    const QString upper = folder.filePath("main.PDF");
    exportAs(exportProgramAction(), upper, 1);
    EXPECT_NE(fileStart(upper), "%PDF");
    EXPECT_EQ(QSettings().value("Export/programSelectedFilter").toInt(), 1);
    exportAs(exportProgramAction(), folder.filePath("main.pdf"), 2);
    EXPECT_EQ(fileStart(folder.filePath("main.pdf")), "%PDF");
}

TEST_F(ImportExportTest, ProgramExportRemembersItsFilterAndDirectory)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("prints"));
    window->open(examples + "/counter.tkp2");
    lumlink::project::View* view = window->programView();
    view->setCurrentIndex(view->indexOfProgram("count"));
    // Without an export directory, the proposal is beside the last opened project.
    EXPECT_EQ(exportProposal(exportProgramAction()).first, examples + "/counter_count");

    const QString ps = folder.filePath("prints/count.ps");
    exportAs(exportProgramAction(), ps, 1);
    EXPECT_EQ(fileStart(ps), "%!PS");
    EXPECT_EQ(QSettings().value("Export/saveDirectory").toString(), folder.filePath("prints"));
    const auto next = exportProposal(exportProgramAction());
    EXPECT_EQ(next.first, folder.filePath("prints/counter_count"));
    EXPECT_EQ(next.second, "PostScript document (*.ps)");

    // A stored index outside the list (settings edited by hand) selects the first filter.
    for (int outside : {3, -1, 42}) {
        QSettings().setValue("Export/programSelectedFilter", outside);
        EXPECT_EQ(exportProposal(exportProgramAction()).second, "PDF document (*.pdf)") << outside;
    }
}

TEST_F(ImportExportTest, ProjectExportKeepsItsOwnFilterAndSharesTheDirectory)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("prints"));
    window->open(examples + "/counter.tkp2");
    QStringList filters;
    trigger(exportProjectAction(), {answer<QFileDialog>([&](QFileDialog* dialog) {
                filters = dialog->nameFilters();
                dialog->reject();
            })});
    EXPECT_EQ(filters, QStringList({"PDF document (*.pdf)", "PostScript document (*.ps)"}));
    EXPECT_EQ(exportProposal(exportProjectAction()).first, examples + "/counter");

    // Whatever the name's ending, the whole project becomes a document of the chosen kind's name.
    const QString ps = folder.filePath("prints/counter.ps");
    exportAs(exportProjectAction(), ps, 1);
    EXPECT_EQ(fileStart(ps), "%!PS");
    const QString pdf = folder.filePath("prints/all.pdf");
    exportAs(exportProjectAction(), pdf, 1);
    EXPECT_EQ(fileStart(pdf), "%PDF");

    // The program export shares the directory but not the project export's filter.
    EXPECT_EQ(exportProposal(exportProjectAction()),
              std::make_pair(folder.filePath("prints/counter"), filters[1]));
    const auto program = exportProposal(exportProgramAction());
    EXPECT_TRUE(program.first.startsWith(folder.filePath("prints/counter_"))) << qPrintable(program.first);
    EXPECT_EQ(program.second, filters[0]);
}

TEST_F(ImportExportTest, TheDialogsSpeakGerman)
{
    QTemporaryDir folder;
    const QString notAProject = folder.filePath("notes.tkp2");
    QFile file(notAProject);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("notes");
    file.close();
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(TAVVIEW_BUILD_DIR "/translations/tavview_de.qm")));
    QCoreApplication::installTranslator(&german);
    window->open(examples + "/counter.tkp2");
    QString exportTitle;
    QStringList filters;
    trigger(exportProgramAction(), {answer<QFileDialog>([&](QFileDialog* dialog) {
                exportTitle = dialog->windowTitle();
                filters = dialog->nameFilters();
                dialog->reject();
            })});
    QString importTitle;
    QString boxTitle;
    trigger(importAction(), {answer<QFileDialog>([&](QFileDialog* dialog) {
                                 importTitle = dialog->windowTitle();
                                 choose(dialog, notAProject);
                             }),
                             answer<QMessageBox>([&](QMessageBox* box) {
                                 boxTitle = box->windowTitle() + ": " + box->text();
                                 box->accept();
                             })});
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(exportTitle, "Dateinamen angeben");
    ASSERT_EQ(filters.size(), 3);
    EXPECT_EQ(filters[0], "PDF-Dokument (*.pdf)");
    EXPECT_EQ(filters[1], "PostScript-Dokument (*.ps)");
    EXPECT_TRUE(filters[2].startsWith("Bild (*.")) << qPrintable(filters[2]);
    EXPECT_EQ(importTitle, "Projekt auswählen");
    EXPECT_EQ(boxTitle, "Ungültiges Projekt: Das angegebene Projekt konnte nicht geladen werden.");
}
