// The interpreter's command line as main hands it over (arguments separated by NUL bytes
// here), and the --set values converted to each data type as they are applied to variables.
#include <kirolab/interpreter/Interpreter.h>
#include <kiroutil/log/Log.h>
#include <lum/core/Serializer.h>
#include <FuzzCheck.h>
#include <FuzzEnvironment.h>

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

using kirolab::interpreter::Interpreter;
using kiroutil::Log;

// Swallows the banner, the help text and the messages on the way.
class Discard : public std::streambuf
{
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// The next id the log hands out; ids are handed out in order.
int nextLogId()
{
    const int id =
        Log::singleton().registerReceiver([](Log::LogMessageVerbosity, const std::string&) {}, Log::Severe);
    Log::singleton().deregisterReceiver(id);
    return id + 1;
}

void checkConversion(const std::string& text)
{
    const auto& serializer = lum::core::variant::Serializer::singleton();
    for (const char* type : {"bool", "int", "double", "string"}) {
        bool ok = false;
        const auto value = serializer.load(text, type, &ok);
        if (!ok)
            continue;
        // What a variable then holds prints as text that reads back as the same value.
        const std::string saved = serializer.save(value);
        bool again = false;
        const auto reread = serializer.load(saved, type, &again);
        FUZZ_CHECK(again && serializer.save(reread) == saved, std::string(type) + " \"" + text +
                                                                  "\" saves as \"" + saved +
                                                                  "\", which does not read back");
    }
}

void checkValues(const Interpreter& interpreter)
{
    for (const auto& [name, value] : interpreter.commandLine().globalVariableValues()) {
        FUZZ_CHECK(name.find(':') == std::string::npos && name.find('=') == std::string::npos,
                   "global variable name \"" + name + "\"");
        checkConversion(value);
    }
    for (const auto& [device, values] : interpreter.commandLine().deviceConfigValues()) {
        FUZZ_CHECK(device.find(':') == std::string::npos && device.find('=') == std::string::npos,
                   "device name \"" + device + "\"");
        for (const auto& [variable, value] : values) {
            FUZZ_CHECK(variable.find('=') == std::string::npos, "config variable name \"" + variable + "\"");
            checkConversion(value);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::application();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments{"tavview_interpreter"};
    std::string argument;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.push_back(argument);
            argument.clear();
        } else {
            argument.push_back(static_cast<char>(data[i]));
        }
    }
    if (!argument.empty())
        arguments.push_back(argument);
    std::vector<char*> argv;
    for (std::string& text : arguments)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    const int firstLogId = nextLogId();
    Discard discard;
    std::streambuf* const out = std::cout.rdbuf(&discard);
    std::streambuf* const err = std::cerr.rdbuf(&discard);
    Interpreter::singleton_create();
    const bool run =
        Interpreter::singleton().parseCommandLineArguments(static_cast<int>(arguments.size()), argv.data());
    std::cout.rdbuf(out);
    std::cerr.rdbuf(err);

    FUZZ_CHECK(!run || !Interpreter::singleton().commandLine().projectFile().empty(),
               "a run without a project file");
    checkValues(Interpreter::singleton());
    Interpreter::singleton_destroy();

    // The console receives the log once at most; the next input starts without it.
    const int endLogId = nextLogId();
    FUZZ_CHECK(endLogId - firstLogId <= 2, "the log level registered the console more than once");
    for (int id = firstLogId; id < endLogId; ++id)
        Log::singleton().deregisterReceiver(id);
    return 0;
}
