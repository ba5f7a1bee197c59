# Fuzz builds: TAVVIEW_FUZZ builds the harnesses of tests/fuzz/ as libFuzzer programs. It needs
# clang and the address sanitizer build (ASan + UBSan); the whole kit is instrumented for
# coverage so that the fuzzer sees into it. Without it, the harnesses replay their corpora as
# plain tests.
option(TAVVIEW_FUZZ "Build the fuzz harnesses as libFuzzer programs (clang, TAVVIEW_SANITIZE=address)" OFF)
if(TAVVIEW_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TAVVIEW_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++-14)")
    endif()
    if(NOT TAVVIEW_SANITIZE STREQUAL "address")
        message(FATAL_ERROR "TAVVIEW_FUZZ needs TAVVIEW_SANITIZE=address")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
