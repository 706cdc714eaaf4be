# The core links Qt6::Core (and Qt6::SerialPort) only: no core target may
# reach Qt6::Gui or Qt6::Widgets, directly or through another target, and no
# core source may include a header of Qt's Gui or Widgets.
#
# Every target defined under the directories given to orvane_check_core(),
# and every target named with orvane_core(), is a core target. The check
# walks their link libraries, and those of the targets they name, and fails
# the configure at the first forbidden one, naming the way there; then it
# reads their sources.

# Marks a target defined elsewhere (a logic test) as a core target.
function(orvane_core target)
    set_property(GLOBAL APPEND PROPERTY ORVANE_CORE_TARGETS ${target})
endfunction()

function(_orvane_targets_under directory out)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        _orvane_targets_under(${subdirectory} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The targets one target links, PUBLIC, PRIVATE and INTERFACE alike. Names
# inside generator expressions count too: a configuration that reaches Gui
# is as wrong as any other.
function(_orvane_linked_targets target out)
    set(linked)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(entries ${target} ${property})
        if(NOT entries)
            continue()
        endif()
        foreach(entry IN LISTS entries)
            string(REGEX MATCHALL "[A-Za-z0-9_.+-]+(::[A-Za-z0-9_.+-]+)*" names "${entry}")
            foreach(name IN LISTS names)
                if(TARGET ${name})
                    get_target_property(aliased ${name} ALIASED_TARGET)
                    if(aliased)
                        set(name ${aliased})
                    endif()
                    list(APPEND linked ${name})
                endif()
            endforeach()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES linked)
    set(${out} ${linked} PARENT_SCOPE)
endfunction()

# A source of a core target that includes a header of a window module, say
# <QtWidgets/QDialog>, would compile against the shared Qt include folder.
function(_orvane_check_sources target)
    get_target_property(sources ${target} SOURCES)
    get_target_property(directory ${target} SOURCE_DIR)
    if(NOT sources)
        return()
    endif()
    foreach(source IN LISTS sources)
        if(source MATCHES "^\\$<")
            continue()
        endif()
        if(NOT IS_ABSOLUTE ${source})
            set(source ${directory}/${source})
        endif()
        if(NOT EXISTS ${source})
            continue()
        endif()
        set(window_header "^[ \t]*#[ \t]*include[ \t]*[<\"]Qt(Gui|Widgets|PrintSupport|Charts)/")
        file(STRINGS ${source} includes REGEX "${window_header}")
        if(includes)
            list(GET includes 0 first)
            string(STRIP "${first}" first)
            message(FATAL_ERROR "Core target ${target} includes a window header: ${first} in "
                                "${source}. The core uses QtCore only; move the window code "
                                "to gui/.")
        endif()
    endforeach()
endfunction()

function(orvane_check_core)
    set(targets)
    foreach(directory IN LISTS ARGN)
        _orvane_targets_under(${directory} found)
        list(APPEND targets ${found})
    endforeach()
    get_property(named GLOBAL PROPERTY ORVANE_CORE_TARGETS)
    list(APPEND targets ${named})
    list(REMOVE_DUPLICATES targets)

    set(forbidden Qt6::Gui Qt6::Widgets)
    foreach(core IN LISTS targets)
        set(queue ${core})
        set(seen ${core})
        set(way_${core} ${core})
        while(queue)
            list(POP_FRONT queue item)
            _orvane_linked_targets(${item} linked)
            foreach(next IN LISTS linked)
                if(next IN_LIST seen)
                    continue()
                endif()
                list(APPEND seen ${next})
                set(way_${next} "${way_${item}} -> ${next}")
                if(next IN_LIST forbidden)
                    message(FATAL_ERROR "Core target ${core} reaches ${next}: ${way_${next}}. "
                                        "The core links Qt6::Core only; move the window code "
                                        "to gui/.")
                endif()
                list(APPEND queue ${next})
            endforeach()
        endwhile()
        _orvane_check_sources(${core})
    endforeach()
endfunction()
