#pragma once

#include <stdexcept>
#include <string>

namespace util {

// A malformed, invalid or refused XML document. what() reads "<file>:<line>:<column>: <message>".
class XmlError : public std::runtime_error
{
public:
    XmlError(const std::string& file, int line, int column, const std::string& message);

    const std::string& file() const { return _file; }
    int line() const { return _line; }
    int column() const { return _column; }
    const std::string& message() const { return _message; }

private:
    std::string _file;
    int _line;
    int _column;
    std::string _message;
};

} // namespace util
