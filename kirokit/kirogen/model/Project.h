#pragma once

#include <kirogen/model/EditorLayout.h>
#include <kirogen/model/Protection.h>
#include <util/UniqueId.h>
#include <util/XTime.h>

#include <boost/container/flat_map.hpp>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kirogen::device::model {
class DeviceInstance;
}

namespace kirogen::gen::session {
class SerializationIdSession;
}

namespace util::xml {
class Element;
}

namespace kirogen::model {

class FunctionBlockDiagram;
class GlobalVariable;
class SfcModel;

// A project: global variables, devices, programs (sequence charts and function-block
// diagrams), the editor layout and the protection. Built from and saved to the project XML.
class Project
{
public:
    // Builds the project from the root element of a project document. Throws
    // std::runtime_error naming the file and line for content that does not make a sound
    // project (unknown types or references, duplicates, charts without one initial step, ...).
    static std::shared_ptr<Project>
    create(const util::xml::Element* root,
           const std::shared_ptr<gen::session::SerializationIdSession>& session, util::XTime time);

    ~Project();

    // In name order. The keys are the variables' own names, a sorted array rather than a
    // tree: a large project has thousands of variables and hardly ever adds one.
    using GlobalVariableMap = boost::container::flat_map<std::string_view, std::shared_ptr<GlobalVariable>>;
    const GlobalVariableMap& globalVariables() const { return _globalVariables; }
    std::shared_ptr<GlobalVariable> globalVariable(std::string_view name) const;

    // In project order.
    const std::vector<std::shared_ptr<device::model::DeviceInstance>>& devices() const { return _devices; }
    std::shared_ptr<device::model::DeviceInstance> device(const std::string& instanceName) const;

    // The first is the main program.
    const std::vector<std::shared_ptr<SfcModel>>& sfcModels() const { return _sfcModels; }
    const std::map<std::string, std::shared_ptr<FunctionBlockDiagram>>& diagrams() const { return _diagrams; }
    std::shared_ptr<FunctionBlockDiagram> diagram(const std::string& name) const;

    const EditorLayout& layout() const { return _layout; }
    void setLayout(EditorLayout layout) { _layout = std::move(layout); }

    const Protection& protection() const { return _protection; }
    Protection& protection() { return _protection; }

    // Ids within the session are scoped by this id, so that one session can serve several projects.
    util::UniqueId id() const { return _id; }
    const std::shared_ptr<gen::session::SerializationIdSession>& session() const { return _session; }
    util::XTime creationTime() const { return _creationTime; }
    // The document the project was read from, as named in its errors.
    const std::string& sourceName() const { return _sourceName; }

    // The project file's text; throws std::invalid_argument when a value holds a character XML
    // cannot carry.
    std::string toXml() const;
    // The same text as bytes, written in place: no copy of it on the way.
    QByteArray toXmlBytes() const;
    // Writes the whole file or nothing (an existing file stays as it was on failure), also when
    // the text cannot be made.
    bool save(const std::string& path, std::string* error) const;

private:
    friend class ProjectEditor;
    friend class ProjectReader;

    Project(std::shared_ptr<gen::session::SerializationIdSession> session, util::XTime time);

    const util::UniqueId _id = util::UniqueId::create();
    std::shared_ptr<gen::session::SerializationIdSession> _session;
    util::XTime _creationTime;
    std::string _sourceName;
    GlobalVariableMap _globalVariables;
    std::vector<std::shared_ptr<device::model::DeviceInstance>> _devices;
    std::map<std::string, std::shared_ptr<device::model::DeviceInstance>> _devicesByName;
    std::vector<std::shared_ptr<SfcModel>> _sfcModels;
    std::map<std::string, std::shared_ptr<FunctionBlockDiagram>> _diagrams;
    EditorLayout _layout;
    Protection _protection;
};

} // namespace kirogen::model
