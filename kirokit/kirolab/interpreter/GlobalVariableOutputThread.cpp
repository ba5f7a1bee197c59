#include <kirolab/interpreter/GlobalVariableOutputThread.h>

#include <kirogen/sim/session/ExecutionSession.h>
#include <kirolab/interpreter/Interpreter.h>

#include <iostream>

namespace kirolab::interpreter {

GlobalVariableOutputThread::GlobalVariableOutputThread(Interpreter* interpreter, int32_t interval)
    : _interpreter(interpreter), _buffer(interpreter->getProject()), _interval(interval)
{
}

GlobalVariableOutputThread::~GlobalVariableOutputThread()
{
    stop();
}

void GlobalVariableOutputThread::run()
{
    if (_interval <= 0)
        return;
    while (shouldRun()) {
        if (const auto session = _interpreter->getExecSession()) {
            session->pollHistory();
            std::cout << _buffer;
        }
        pause(static_cast<unsigned long>(_interval));
    }
}

} // namespace kirolab::interpreter
