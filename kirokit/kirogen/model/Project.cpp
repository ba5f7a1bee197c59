#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectReader.h>
#include <kirogen/model/ProjectWriter.h>
#include <kirogen/model/SfcModel.h>
#include <util/GzipWriter.h>
#include <util/XmlSerializer.h>

#include <stdexcept>

namespace kirogen::model {

Project::Project(std::shared_ptr<gen::session::SerializationIdSession> session, util::XTime time)
    : _session(std::move(session)), _creationTime(time)
{
}

Project::~Project() = default;

std::shared_ptr<Project> Project::create(const util::xml::Element* root,
                                         const std::shared_ptr<gen::session::SerializationIdSession>& session,
                                         util::XTime time)
{
    if (!root)
        throw std::invalid_argument("a project needs the root element of a project document");
    std::shared_ptr<Project> project(
        new Project(session ? session : gen::session::SerializationIdSession::create(), time));
    ProjectReader(project).read(root);
    return project;
}

std::shared_ptr<GlobalVariable> Project::globalVariable(std::string_view name) const
{
    const auto it = _globalVariables.find(name);
    return it == _globalVariables.end() ? nullptr : it->second;
}

std::shared_ptr<device::model::DeviceInstance> Project::device(const std::string& instanceName) const
{
    const auto it = _devicesByName.find(instanceName);
    return it == _devicesByName.end() ? nullptr : it->second;
}

std::shared_ptr<FunctionBlockDiagram> Project::diagram(const std::string& name) const
{
    const auto it = _diagrams.find(name);
    return it == _diagrams.end() ? nullptr : it->second;
}

std::string Project::toXml() const
{
    return ProjectWriter(*this).write();
}

QByteArray Project::toXmlBytes() const
{
    return ProjectWriter(*this).writeBytes();
}

bool Project::save(const std::string& path, std::string* error) const
{
    // As when reading: only a name ending in ".tkp2" is plain text, anything else is gzip.
    static const std::string plainSuffix = ".tkp2";
    QByteArray text;
    try {
        text = toXmlBytes();
    } catch (const std::invalid_argument& e) {
        if (error)
            *error = e.what();
        return false;
    }
    if (path.size() >= plainSuffix.size() &&
        path.compare(path.size() - plainSuffix.size(), plainSuffix.size(), plainSuffix) == 0)
        return util::XmlSerializer::saveText(
            std::string_view(text.constData(), static_cast<std::size_t>(text.size())), path, error);
    return util::GzipWriter::writeFile(path, text, error);
}

} // namespace kirogen::model
