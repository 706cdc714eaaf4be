# orvane_add_test(<name> [CORE] SOURCES <files...> LIBS <libraries...>)
#
# One Qt Test executable registered with ctest. Every test runs offscreen and
# with its own XDG_CONFIG_HOME and XDG_DATA_HOME, so no test ever touches the
# user's settings or register of meters.
# A CORE test checks logic: it links the core and the core's test seams only,
# and the core check holds it to that. Any other test drives windows.
function(orvane_add_test name)
    cmake_parse_arguments(ARG "CORE" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_CORE)
        target_link_libraries(${name} PRIVATE orvane_testsupport_core Qt6::Test ${ARG_LIBS})
        orvane_core(${name})
    else()
        target_link_libraries(${name} PRIVATE orvane_testsupport Qt6::Test ${ARG_LIBS})
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set(config_home ${CMAKE_CURRENT_BINARY_DIR}/${name}-config)
    set(data_home ${CMAKE_CURRENT_BINARY_DIR}/${name}-data)
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${config_home};XDG_DATA_HOME=${data_home};LANG=C.UTF-8"
        TIMEOUT 300)
endfunction()
