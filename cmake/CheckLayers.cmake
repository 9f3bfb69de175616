# Keeps the layers without widgets free of them, checked at configure time.
#
# tallimer_check_widget_free_layer(FOLDER folder TARGETS targets... [MAY_LINK libraries...]
#                                  [REFUSED_ROOMS rooms...])
# Each target links Qt6::Core, the layer's own targets and the MAY_LINK libraries only, and no
# file under folder includes a header of QtWidgets or QtGui, nor of a refused room of src/
# ("gui" refuses every "gui/..." include).
function(tallimer_check_widget_free_layer)
    cmake_parse_arguments(ARG "" "FOLDER" "TARGETS;MAY_LINK;REFUSED_ROOMS" ${ARGN})
    set(allowed Qt6::Core advapi32 ${ARG_TARGETS} ${ARG_MAY_LINK})
    foreach(target IN LISTS ARG_TARGETS)
        get_target_property(links ${target} LINK_LIBRARIES)
        foreach(link IN LISTS links)
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
            if(NOT link IN_LIST allowed)
                message(FATAL_ERROR "${target} may not link ${link}: it must run without widgets")
            endif()
        endforeach()
    endforeach()
    list(JOIN ARG_REFUSED_ROOMS "/|" rooms)
    file(GLOB_RECURSE sources "${ARG_FOLDER}/*.h" "${ARG_FOLDER}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS ${source} includes REGEX "^#include")
        foreach(line IN LISTS includes)
            if(line MATCHES "#include [<\"](${rooms}/|QtWidgets|QtGui|QWidget|QApplication|QGuiApplication|QIcon|QPixmap)")
                message(FATAL_ERROR "${source} must run without widgets and may not ${line}")
            endif()
        endforeach()
    endforeach()
endfunction()
