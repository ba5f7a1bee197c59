#pragma once

#include <kirolab/interpreter/GlobalVariableValueBuffer.h>
#include <lum/core/Thread.h>

#include <cstdint>

namespace kirolab::interpreter {

class Interpreter;

// Prints, every interval, the global variables that changed since its previous tick.
// An interval of 0 prints nothing.
class GlobalVariableOutputThread : public lum::core::Thread
{
public:
    GlobalVariableOutputThread(Interpreter* interpreter, int32_t interval);
    ~GlobalVariableOutputThread() override;

protected:
    void run() override;

private:
    Interpreter* _interpreter;
    GlobalVariableValueBuffer _buffer;
    int32_t _interval;
};

} // namespace kirolab::interpreter
