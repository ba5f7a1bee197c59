#pragma once

#include <kirogen/sdf/ActorType.h>
#include <QDialog>
#include <map>
#include <memory>
#include <string>

class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;

namespace lumlink::sdf {

class DiagramDocument;

// Edits the parameters of one block: a typed field per parameter of its actor type (a check
// box, a spin box, a choice among the project's global variables, devices or device ports,
// else text). OK checks every value with the kit's serializer and applies them all as one
// step; a value the kit refuses keeps the dialog open with the reason.
class ParameterDialog : public QDialog
{
    Q_OBJECT

public:
    ParameterDialog(DiagramDocument* document, std::string blockId, QWidget* parent = nullptr);

    // The field of the parameter (its object name is the parameter's name); null for none.
    QWidget* field(const std::string& parameter) const;
    // Why the latest OK was refused; empty when it was not.
    QString refusal() const;

public slots:
    void accept() override;

private slots:
    void translate();
    // The port choices follow the device chosen.
    void fillPortChoices();

private:
    QWidget* createField(const kirogen::sdf::ActorParameter& parameter, const std::string& text);
    QComboBox* createChoice(const std::vector<std::string>& names, const std::string& text);
    std::string textOf(const kirogen::sdf::ActorParameter& parameter) const;
    void refuse(const QString& reason);

    DiagramDocument* _document;
    std::string _blockId;
    std::shared_ptr<const kirogen::sdf::ActorType> _type;
    // By parameter name: the field, the block's text and the field's text when the dialog opened.
    std::map<std::string, QWidget*> _fields;
    std::map<std::string, std::string> _original;
    std::map<std::string, std::string> _shown;
    QLabel* _help;
    QFormLayout* _form;
    QLabel* _refusal;
    QDialogButtonBox* _buttons;
};

} // namespace lumlink::sdf
