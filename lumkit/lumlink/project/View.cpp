#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <kirogen/model/SfcModel.h>
#include <lum/qt/log/Log.h>
#include <lumlink/Actions.h>
#include <lumlink/EditorView.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/LiveView.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/ProjectDocument.h>
#include <lumlink/project/TabNameEditor.h>
#include <lumlink/project/View.h>
#include <lumlink/project/commands/AddProgram.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/SFCScene.h>
#include <lumlink/sfc/SFCView.h>
#include <lumlink/sfc/model/Model.h>
#include <util/UniqueId.h>
#include <QAction>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QMenu>
#include <QTabBar>

namespace lumlink::project {

View::View(Project* project, QWidget* parent) : QTabWidget(parent), _project(project)
{
    setObjectName(QStringLiteral("programView"));
    setAccessibleName(tr("Programs"));
    setTabsClosable(true);
    setMovable(true);
    setDocumentMode(true);
    project->setView(this);
    new LiveView(project->simulation(), this);

    connect(this, &QTabWidget::tabCloseRequested, this, &View::closeTab);
    connect(this, &QTabWidget::currentChanged, this, &View::saveTabs);
    connect(tabBar(), &QTabBar::tabMoved, this, &View::saveTabs);
    connect(project, &Project::programAdded, this, &View::on_programAdded);
    connect(project, &Project::programRemoved, this, &View::on_programRemoved);
    connect(project, &Project::programRenamed, this, &View::on_programRenamed);
    connect(tabBar(), &QTabBar::tabBarDoubleClicked, this, &View::editTabName);
    tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabBar(), &QWidget::customContextMenuRequested, this, &View::showTabMenu);

    const Actions& actions = Actions::singleton();
    connect(actions.cutAction, &QAction::triggered, this, [this] { forwardToEditor("cut"); });
    connect(actions.copyAction, &QAction::triggered, this, [this] { forwardToEditor("copy"); });
    connect(actions.pasteAction, &QAction::triggered, this, [this] { forwardToEditor("paste"); });
    connect(actions.deleteAction, &QAction::triggered, this, [this] { forwardToEditor("deleteSelection"); });
    connect(actions.selectAllAction, &QAction::triggered, this, &View::selectAll);
    connect(actions.clearSelectionAction, &QAction::triggered, this, &View::clearSelection);
}

View::~View()
{
    // The tabs go with the view: that is no change of what the project saves.
    blockSignals(true);
    disconnect(tabBar(), nullptr, this, nullptr);
}

QList<QWidget*> View::dialogs() const
{
    return _project ? _project->dialogs() : QList<QWidget*>();
}

QString View::programName(int index) const
{
    return _programs.value(widget(index));
}

int View::indexOfProgram(const QString& program) const
{
    for (int i = 0; i < count(); ++i) {
        if (programName(i) == program)
            return i;
    }
    return -1;
}

bool View::on_raiseView(const QString& program, bool raise)
{
    int index = indexOfProgram(program);
    if (index < 0) {
        QWidget* editor = createEditor(program);
        if (!editor)
            return false;
        _programs.insert(editor, program);
        index = addTab(editor, program);
        setTabToolTip(index, program);
    }
    if (raise)
        setCurrentIndex(index);
    saveTabs();
    return true;
}

QWidget* View::createEditor(const QString& program)
{
    if (!_project)
        return nullptr;
    const auto model = _project->kirogenProject();
    const std::string name = program.toStdString();
    if (model->diagram(name)) {
        auto* document = new sdf::DiagramDocument(_project, name);
        auto* editor = new sdf::SDFView(document);
        document->setParent(editor);
        // What the diagram shows of the project (protection, variables, devices) follows it.
        sdf::SDFScene* scene = editor->diagramScene();
        connect(_project, &Project::protectionChanged, scene, &sdf::SDFScene::synchronize);
        connect(_project, &Project::globalVariableAdded, scene, &sdf::SDFScene::synchronize);
        connect(_project, &Project::globalVariableRemoved, scene, &sdf::SDFScene::synchronize);
        connect(_project, &Project::globalVariableChanged, scene, &sdf::SDFScene::synchronize);
        connect(_project, &Project::deviceAdded, scene, &sdf::SDFScene::synchronize);
        connect(_project, &Project::deviceRemoved, scene, &sdf::SDFScene::synchronize);
        connect(editor, &sdf::SDFView::statusMessage, this, &View::statusMessage);
        editor->setMagnifierEnabled(_magnifierEnabled);
        return editor;
    }
    for (const auto& chart : model->sfcModels()) {
        if (chart->name() != name)
            continue;
        auto* document = new sfc::ChartDocument(_project, name);
        auto* editor = new sfc::SFCView(document);
        document->setParent(editor);
        connect(_project, &Project::protectionChanged, editor->chartScene(), &sfc::SFCScene::synchronize);
        connect(editor, &sfc::SFCView::statusMessage, this, &View::statusMessage);
        connect(editor, &sfc::SFCView::diagramRequested, this,
                [this](const QString& diagram) { on_raiseView(diagram, true); });
        return editor;
    }
    return nullptr;
}

void View::closeTab(int index)
{
    QWidget* editor = widget(index);
    if (!editor)
        return;
    closeTabNameEditor();
    _programs.remove(editor);
    removeTab(index);
    // The editor may be the sender of what led here.
    editor->deleteLater();
    saveTabs();
}

void View::on_programAdded(const QString& program)
{
    if (_created.contains(program))
        on_raiseView(program, true);
}

void View::on_programRemoved(const QString& program)
{
    const int index = indexOfProgram(program);
    if (index >= 0)
        closeTab(index);
}

void View::on_programRenamed(const QString& program, const QString& newName)
{
    if (_created.remove(program))
        _created.insert(newName);
    const int index = indexOfProgram(program);
    if (index < 0)
        return;
    _programs.insert(widget(index), newName);
    setTabText(index, newName);
    setTabToolTip(index, newName);
    saveTabs();
}

bool View::renameProgram(const QString& program, const QString& newName)
{
    if (!_project)
        return false;
    if (_project->renameProgram(program, newName))
        return true;
    emit statusMessage(tr("The program %1 keeps its name: %2").arg(program, _project->lastError()));
    return false;
}

void View::editTabName(int index)
{
    if (index < 0 || index >= count() || !_project)
        return;
    if (_project->isLocked()) {
        emit statusMessage(tr("The project is protected: enter its password to rename a program."));
        return;
    }
    closeTabNameEditor();
    const QString program = programName(index);
    _tabNameEditor = new TabNameEditor(program, tabBar());
    _tabNameEditor->setGeometry(tabBar()->tabRect(index));
    connect(_tabNameEditor, &TabNameEditor::nameOffered, this,
            [this, program](const QString& newName, bool finished) {
                on_tabNameOffered(program, newName, finished);
            });
    connect(_tabNameEditor, &TabNameEditor::cancelled, this, &View::closeTabNameEditor);
    _tabNameEditor->show();
    _tabNameEditor->setFocus(Qt::OtherFocusReason);
}

void View::on_tabNameOffered(const QString& program, const QString& newName, bool finished)
{
    // A refused name stays in the field to be corrected, unless the user has left it.
    if (newName == program || renameProgram(program, newName) || finished)
        closeTabNameEditor();
    else
        _tabNameEditor->selectAll();
}

void View::closeTabNameEditor()
{
    if (!_tabNameEditor)
        return;
    // Going away takes its focus: that is no second offer of the name.
    _tabNameEditor->disconnect(this);
    _tabNameEditor->hide();
    _tabNameEditor->deleteLater();
    _tabNameEditor = nullptr;
    if (QWidget* editor = currentWidget())
        editor->setFocus(Qt::OtherFocusReason);
}

QMenu* View::createTabMenu(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    auto* menu = new QMenu(this);
    menu->setAccessibleName(tr("Program tab"));
    // The tab is found again by its program: tabs may move while the menu is open.
    const QString program = programName(index);
    QAction* rename =
        menu->addAction(tr("&Rename..."), this, [this, program] { editTabName(indexOfProgram(program)); });
    rename->setObjectName(QStringLiteral("renameProgramAction"));
    rename->setEnabled(_project && !_project->isLocked());
    QAction* close =
        menu->addAction(tr("&Close"), this, [this, program] { closeTab(indexOfProgram(program)); });
    close->setObjectName(QStringLiteral("closeTabAction"));
    return menu;
}

void View::showTabMenu(const QPoint& tabBarPoint)
{
    QMenu* menu = createTabMenu(tabBar()->tabAt(tabBarPoint));
    if (!menu)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(tabBar()->mapToGlobal(tabBarPoint));
}

void View::saveTabs()
{
    if (!_project)
        return;
    QStringList programs;
    for (int i = 0; i < count(); ++i)
        programs.append(programName(i));
    _project->setOpenTabs(programs, programName(currentIndex()));
}

QString View::unusedProgramName(const QString& stem) const
{
    const kirogen::model::ProjectEditor& editor = _project->editor();
    for (int number = 1;; ++number) {
        const QString name = stem + QString::number(number);
        if (!editor.hasProgram(name.toStdString()))
            return name;
    }
}

QString View::newSdf(const util::UniqueId& modelType)
{
    if (!_project)
        return QString();
    // Program names are identifiers in the project file: the same in every language.
    const bool chart = modelType == sfc::model::Model::typeId();
    const QString name = unusedProgramName(chart ? QStringLiteral("Sequence") : QStringLiteral("Diagram"));
    commands::AddProgram* command = nullptr;
    if (chart) {
        // A chart starts with its initial step, so that it runs as soon as it exists.
        kirogen::model::SfcStep start;
        start.name = "Start";
        start.initial = true;
        command = new commands::AddProgram(_project, std::make_shared<kirogen::model::SfcModel>(
                                                         name.toStdString(),
                                                         std::vector<kirogen::model::SfcStep>{start},
                                                         std::vector<kirogen::model::SfcTransition>{}));
    } else {
        command = new commands::AddProgram(_project, std::make_shared<kirogen::model::FunctionBlockDiagram>(
                                                         name.toStdString(),
                                                         std::vector<kirogen::model::FunctionBlock>{},
                                                         std::vector<kirogen::model::DataLink>{}));
    }
    _created.insert(name);
    if (!_project->push(command)) {
        _created.remove(name);
        return QString();
    }
    return name;
}

void View::zoomIn()
{
    forwardToEditor("zoomIn");
}

void View::zoomOut()
{
    forwardToEditor("zoomOut");
}

void View::fit()
{
    forwardToEditor("fit");
}

void View::setMagnifierEnabled(bool enabled)
{
    _magnifierEnabled = enabled;
    for (int i = 0; i < count(); ++i) {
        if (auto* editor = qobject_cast<sdf::SDFView*>(widget(i)))
            editor->setMagnifierEnabled(enabled);
    }
}

bool View::isActiveView() const
{
    return _project && Manager::singleton().activeProject() == _project && _project->view() == this;
}

// Each editor offers the commands it has as public slots of these names; one that lacks a
// command (a sequence chart has no clipboard) is left alone.
void View::forwardToEditor(const char* slot)
{
    QWidget* editor = currentWidget();
    if (!editor || !isActiveView())
        return;
    if (editor->metaObject()->indexOfSlot(QByteArray(slot).append("()").constData()) >= 0)
        QMetaObject::invokeMethod(editor, slot);
}

void View::selectAll()
{
    auto* editor = qobject_cast<EditorView*>(currentWidget());
    if (editor && isActiveView())
        editor->selectAll();
}

void View::clearSelection()
{
    auto* editor = qobject_cast<EditorView*>(currentWidget());
    if (editor && isActiveView())
        editor->scene()->clearSelection();
}

std::optional<print::SceneExport> View::currentExporter() const
{
    if (auto* editor = qobject_cast<EditorView*>(currentWidget()))
        return editor->exporter();
    return std::nullopt;
}

bool View::exportProgramToPdfPs(const QString& path)
{
    const auto exporter = currentExporter();
    if (!exporter)
        return failExport(path, tr("no program is open"));
    QString error;
    const bool postScript = QFileInfo(path).suffix().compare(QLatin1String("ps"), Qt::CaseInsensitive) == 0;
    const bool written = postScript ? exporter->toPostScript(path, &error) : exporter->toPdf(path, &error);
    return written || failExport(path, error);
}

bool View::exportProgramToImage(const QString& path)
{
    const auto exporter = currentExporter();
    if (!exporter)
        return failExport(path, tr("no program is open"));
    QString error;
    return exporter->toImage(path, &error) || failExport(path, error);
}

bool View::exportProjectToPdfPs(const QString& path)
{
    if (!_project)
        return failExport(path, tr("no project is open"));
    QString error;
    return ProjectDocument(*_project).write(path, &error) || failExport(path, error);
}

bool View::failExport(const QString& path, const QString& reason)
{
    lum::qt::log::Log::log(lum::qt::log::Log::Error, tr("Could not export to %1: %2").arg(path, reason));
    return false;
}

} // namespace lumlink::project
