# Each example project ships as .tkp2 and as .tkpx (the same bytes gzip-compressed); a new
# user's profile receives both through user/examples/.
file(GLOB TAVVIEW_EXAMPLES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/dist/examples/*.tkp2)
set(TAVVIEW_EXAMPLE_OUTPUTS)
foreach(example ${TAVVIEW_EXAMPLES})
    get_filename_component(name ${example} NAME_WE)
    set(tkpx ${CMAKE_BINARY_DIR}/examples/${name}.tkpx)
    set(userDir ${CMAKE_BINARY_DIR}/user/examples)
    add_custom_command(
        OUTPUT ${tkpx} ${userDir}/${name}.tkp2 ${userDir}/${name}.tkpx
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/examples ${userDir}
        COMMAND ${CMAKE_COMMAND} -DIN=${example} -DOUT=${tkpx} -P ${CMAKE_SOURCE_DIR}/cmake/GzipFile.cmake
        COMMAND ${CMAKE_COMMAND} -E copy ${example} ${tkpx} ${userDir}
        DEPENDS ${example} ${CMAKE_SOURCE_DIR}/cmake/GzipFile.cmake
        COMMENT "Compressing example ${name}")
    list(APPEND TAVVIEW_EXAMPLE_OUTPUTS ${tkpx} ${userDir}/${name}.tkp2 ${userDir}/${name}.tkpx)
endforeach()
add_custom_target(examples ALL DEPENDS ${TAVVIEW_EXAMPLE_OUTPUTS})
