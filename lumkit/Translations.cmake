# Translations of a target: the Qt Linguist sources translations/<target>_<language>.ts beside the
# target's sources are compiled to translations/<target>_<language>.qm of the data tree beside bin/,
# where lum::qt::translation::Manager loads every catalogue of the chosen language.
#
# The target <target>_lupdate (not built by default) brings the .ts files up to date with the texts
# in the sources; the kit's include roots let lupdate find the classes that give tr() its context.
set(LUMKIT_TRANSLATIONS_DIR ${CMAKE_BINARY_DIR}/translations)
set(LUMKIT_TRANSLATION_INCLUDE_ROOTS
    ${CMAKE_SOURCE_DIR}/lumkit ${CMAKE_SOURCE_DIR}/kirokit ${CMAKE_SOURCE_DIR}/tavview2/src)

function(lumkit_add_translations target)
    file(GLOB ts_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/translations/*.ts)
    if(NOT ts_files)
        return()
    endif()
    set_source_files_properties(${ts_files} PROPERTIES OUTPUT_LOCATION ${LUMKIT_TRANSLATIONS_DIR})
    qt5_add_translation(qm_files ${ts_files})
    add_custom_target(${target}_translations ALL DEPENDS ${qm_files})
    add_dependencies(${target} ${target}_translations)

    set(include_options)
    foreach(root ${LUMKIT_TRANSLATION_INCLUDE_ROOTS})
        list(APPEND include_options -I ${root})
    endforeach()
    add_custom_target(${target}_lupdate
        COMMAND Qt5::lupdate -no-obsolete -locations none ${include_options} ${CMAKE_CURRENT_SOURCE_DIR}
                -ts ${ts_files}
        WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
        COMMENT "Updating the translation sources of ${target}"
        VERBATIM)
endfunction()
