#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QAction;
class QWidget;

namespace lumlink {

class HelpWindow;

// The workbench help: HTML pages "<topic>.html" in help/ beside bin/, German ones in help/de/
// (an English page stands in for a missing German one). helpAction(topic) gives an action that
// shows the topic in the help window; an unknown topic shows the contents page "index".
class HelpSystem : public QObject
{
    Q_OBJECT

public:
    static const QString ContentsTopic;

    static HelpSystem& singleton();

    // The help window stays above this window and goes with it.
    void setMainWindow(QWidget* window);
    QWidget* mainWindow() const { return _mainWindow; }

    QString helpDirectory() const { return _helpDirectory; }
    void setHelpDirectory(const QString& directory);

    // One action per topic, owned by the help system.
    QAction* helpAction(const QString& topic);

    // The page shown for the topic in the current language.
    QUrl topicUrl(const QString& topic) const;

    // Null until a topic has been shown.
    HelpWindow* window() const;

public slots:
    void showTopic(const QString& topic);

private slots:
    void translate();

private:
    HelpSystem();
    ~HelpSystem() override;

    QString pageFile(const QString& topic) const;

    QPointer<QWidget> _mainWindow;
    QPointer<HelpWindow> _window;
    QString _helpDirectory;
    QHash<QString, QAction*> _actions;
};

} // namespace lumlink
