#include "ModalAnswers.h"
#include "tavview/MainWindow.h"

#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <lumlink/Actions.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/import/DeviceMappingDialog.h>
#include <lumlink/project/import/SdfDialog.h>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
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

void choose(QFileDialog* dialog, const QString& path)
{
    dialog->selectFile(path);
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
