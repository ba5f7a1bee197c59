# Compiles the .ts files of a target's translations/ folder to .qm files in translations/ of the
# data tree beside bin/, where lum::qt::translation::Manager loads them.
set(LUMKIT_TRANSLATIONS_DIR ${CMAKE_BINARY_DIR}/translations)

function(lumkit_add_translations target)
    file(GLOB ts_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/translations/*.ts)
    if(NOT ts_files)
        return()
    endif()
    set_source_files_properties(${ts_files} PROPERTIES OUTPUT_LOCATION ${LUMKIT_TRANSLATIONS_DIR})
    qt5_add_translation(qm_files ${ts_files})
    add_custom_target(${target}_translations ALL DEPENDS ${qm_files})
    add_dependencies(${target} ${target}_translations)
endfunction()
