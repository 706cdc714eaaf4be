# orvane_add_test(<name> SOURCES <files...> LIBS <libraries...>)
#
# One Qt Test executable registered with ctest. Every test runs offscreen and
# with its own XDG_CONFIG_HOME, so no test ever touches the user's settings.
function(orvane_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE orvane_testsupport Qt6::Test ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set(config_home ${CMAKE_CURRENT_BINARY_DIR}/${name}-config)
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${config_home};LANG=C.UTF-8"
        TIMEOUT 300)
endfunction()
