# Checks that the program's layers point one way: app -> ui -> core -> host.
# Run as: cmake -DROOT=<source folder> -P tools/checklayers.cmake
#
# Each folder lists the folders its files may include from. The windows in
# ui/ reach each other only through core (window ids, the editor's mode), and
# neither core nor ui includes a Qt header: Qt stays inside the host, whose
# headers that carry it are private (named *_p.h).

cmake_minimum_required(VERSION 3.25)

set(allowed_host "host/")
set(allowed_resources "resources/;host/")
set(allowed_core "core/;host/;resources/")
set(allowed_ui_main "ui/main/;core/;host/")
set(allowed_ui_editor "ui/editor/;core/;host/")
set(allowed_ui_ring "ui/ring/;core/;host/")
set(qt_free core ui)

set(problems "")
foreach(folder host resources core ui/main ui/editor ui/ring)
    string(REPLACE "/" "_" key "${folder}")
    file(GLOB_RECURSE files RELATIVE "${ROOT}" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
    foreach(file IN LISTS files)
        file(STRINGS "${ROOT}/${file}" includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS includes)
            if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
                set(included "${CMAKE_MATCH_1}")
                set(permitted FALSE)
                foreach(prefix IN LISTS allowed_${key})
                    string(FIND "${included}" "${prefix}" at)
                    if(at EQUAL 0)
                        set(permitted TRUE)
                    endif()
                endforeach()
                if(NOT permitted)
                    string(APPEND problems "${file} includes ${included}\n")
                endif()
            elseif(line MATCHES "#[ \t]*include[ \t]*<(Q[^>]*)>")
                string(REGEX MATCH "^[^/]+" top "${folder}")
                if(top IN_LIST qt_free OR (file MATCHES "\\.h$" AND NOT file MATCHES "_p\\.h$"))
                    string(APPEND problems "${file} includes the Qt header ${CMAKE_MATCH_1}\n")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "Includes against the direction of the layers:\n${problems}")
endif()
