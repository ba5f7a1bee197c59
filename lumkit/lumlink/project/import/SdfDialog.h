#pragma once

#include <QDialog>
#include <QMap>
#include <QString>
#include <QStringList>

class QDialogButtonBox;
class QLabel;
class QTreeWidget;

namespace lumlink::project::import {

// The programs of the other project as a check list: each sequence chart with the diagrams
// it runs (which come with it), then the diagrams no chart runs. All are checked at first.
class SdfDialog : public QDialog
{
    Q_OBJECT

public:
    // As Project::getSDFsAndDevs() gives them; mapping as DeviceMappingDialog::getMapping().
    SdfDialog(const QMap<QString, QStringList>& programs, const QMap<QString, QString>& devices,
              const QMap<QString, QString>& mapping, QWidget* parent = nullptr);

    // The checked charts and diagrams.
    QStringList getSelection() const;

    QTreeWidget* tree() const { return _tree; }

public slots:
    void translate();

private:
    QMap<QString, QString> _devices;
    QMap<QString, QString> _mapping;
    QLabel* _intro;
    QTreeWidget* _tree;
    QLabel* _devicesLabel;
    QDialogButtonBox* _buttons;
};

} // namespace lumlink::project::import
