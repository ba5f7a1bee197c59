#include <util/XmlError.h>

namespace util {

XmlError::XmlError(const std::string& file, int line, int column, const std::string& message)
    : std::runtime_error(file + ':' + std::to_string(line) + ':' + std::to_string(column) + ": " + message),
      _file(file), _line(line), _column(column), _message(message)
{
}

} // namespace util
