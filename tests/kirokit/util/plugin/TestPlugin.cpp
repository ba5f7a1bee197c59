// A plug-in for the loader tests: one C symbol to resolve after loading.
extern "C" int tavviewTestPluginAnswer()
{
    return 42;
}
