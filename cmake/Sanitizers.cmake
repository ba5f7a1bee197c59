# Sanitizer builds: TAVVIEW_SANITIZE is "address" (ASan + UBSan) or "thread" (TSan); empty for none.
set(TAVVIEW_SANITIZE "" CACHE STRING "Sanitizer build: address or thread")
if(TAVVIEW_SANITIZE STREQUAL "address")
    # float-cast-overflow is not part of "undefined" in GCC; the engine turns doubles into ints.
    add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined,float-cast-overflow)
    add_link_options(-fsanitize=address,undefined,float-cast-overflow)
elseif(TAVVIEW_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(NOT TAVVIEW_SANITIZE STREQUAL "")
    message(FATAL_ERROR "TAVVIEW_SANITIZE must be empty, address or thread")
endif()

if(TAVVIEW_SANITIZE)
    add_library(sanitizer_defaults OBJECT ${CMAKE_CURRENT_LIST_DIR}/SanitizerDefaults.cpp)
    target_compile_definitions(sanitizer_defaults PRIVATE
        TAVVIEW_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endif()

# Gives every program below dir the built-in sanitizer settings (cmake/SanitizerDefaults.cpp).
function(tavview_link_sanitizer_defaults dir)
    if(NOT TAVVIEW_SANITIZE)
        return()
    endif()
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            target_link_libraries(${target} PRIVATE sanitizer_defaults)
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        tavview_link_sanitizer_defaults(${subdirectory})
    endforeach()
endfunction()
