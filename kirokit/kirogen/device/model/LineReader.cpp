#include <kirogen/device/model/LineReader.h>

namespace kirogen::device::model {

void LineReader::read(const char* data, std::size_t size, const LineHandler& handler)
{
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            if (!_discarding) {
                if (!_line.empty() && _line.back() == '\r')
                    _line.pop_back();
                const std::size_t equals = _line.find('=');
                if (equals != std::string::npos && equals > 0)
                    handler(_line.substr(0, equals), _line.substr(equals + 1));
            }
            _line.clear();
            _discarding = false;
        } else if (!_discarding) {
            _line.push_back(c);
            if (_line.size() > maxLineLength) {
                _line.clear();
                _discarding = true;
            }
        }
    }
}

void LineReader::clear()
{
    _line.clear();
    _discarding = false;
}

} // namespace kirogen::device::model
