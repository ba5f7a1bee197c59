#pragma once

#include <QGroupBox>

class QListWidget;

namespace lumlink::project {
class Project;
}

namespace tavview {

// A read-only list of the project's programs: sequence charts first (the first is the main
// program), then the function-block diagrams. Follows programs being added and removed.
class ProgramList : public QGroupBox
{
    Q_OBJECT

public:
    explicit ProgramList(lumlink::project::Project* project, QWidget* parent = nullptr);

    QListWidget* list() const { return _list; }

public slots:
    void translate();

private slots:
    void refill();

private:
    lumlink::project::Project* _project;
    QListWidget* _list;
};

} // namespace tavview
