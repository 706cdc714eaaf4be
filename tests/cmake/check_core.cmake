# Configures the small project of corecheck/ once per case and expects the
# core check to pass with Qt6::Core alone and to fail, naming the way,
# whenever a core target or a logic test reaches Gui or Widgets or a core
# source includes a Widgets header.
#   cmake -DSOURCE_DIR=<repository> -DWORK_DIR=<scratch> -P check_core.cmake
set(cases "core only" "direct" "through a target" "logic test" "window header")
set(expected_core_only "")
set(expected_direct "Core target corelib reaches Qt6::Widgets: corelib -> Qt6::Widgets")
set(expected_through_a_target "Core target corelib reaches Qt6::Gui: corelib -> helper -> Qt6::Gui")
set(expected_logic_test "Core target logictest reaches Qt6::Widgets: logictest -> helper -> Qt::Widgets -> Qt6::Widgets")
set(expected_window_header "Core target corelib includes a window header: #include <QtWidgets/QDialog>")

foreach(case IN LISTS cases)
    string(REPLACE " " "_" key "${case}")
    set(build ${WORK_DIR}/${key})
    file(REMOVE_RECURSE ${build})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/cmake/corecheck -B ${build}
                -DORVANE_SOURCE_DIR=${SOURCE_DIR} "-DCASE=${case}"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    string(REGEX REPLACE "[ \t\r\n]+" " " errors "${errors}")
    set(expected "${expected_${key}}")
    if(expected STREQUAL "")
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "${case}: the configure failed: ${errors}")
        endif()
    else()
        if(result EQUAL 0)
            message(FATAL_ERROR "${case}: the configure passed")
        endif()
        string(FIND "${errors}" "${expected}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "${case}: expected \"${expected}\" in: ${errors}")
        endif()
    endif()
endforeach()
