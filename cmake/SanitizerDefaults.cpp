// Sanitizer settings built into every program of a sanitizer build, so that they hold
// wherever the program starts: under CTest, as a test's child process, and behind sudo on the
// robot rig's shell, where no environment gets through. *_OPTIONS in the environment still
// take precedence.
//
// Beyond the defaults, ASan also looks for stack frames used after their return and for
// globals initialised from another file's globals before those are (the kit's singletons).
//
// A report ends the program: ASan and UBSan abort (a child process then exits by a signal,
// which no expected exit code matches), ThreadSanitizer exits with status 66.

#define TAVVIEW_SANITIZER_HOOK extern "C" __attribute__((visibility("default"), used))

TAVVIEW_SANITIZER_HOOK const char* __asan_default_options()
{
    return "abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:"
           "strict_init_order=1";
}

TAVVIEW_SANITIZER_HOOK const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1:abort_on_error=1";
}

TAVVIEW_SANITIZER_HOOK const char* __lsan_default_options()
{
    return "suppressions=" TAVVIEW_LSAN_SUPPRESSIONS;
}

TAVVIEW_SANITIZER_HOOK const char* __tsan_default_options()
{
    return "halt_on_error=1:second_deadlock_stack=1";
}
