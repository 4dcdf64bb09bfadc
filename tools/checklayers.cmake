# Checks that the program's layers point one way: app -> ui -> core -> host,
# and that each window's units stand where their declarations put them.
# Run as: cmake -DROOT=<source folder> -P tools/checklayers.cmake
#
# Each folder lists the folders its files may include from. The windows in
# ui/ reach each other only through core (window ids, the editor's mode), and
# neither core nor ui includes a Qt header: Qt stays inside the host, whose
# headers that carry it are private (named *_p.h).

cmake_minimum_required(VERSION 3.25)

# Inside the host: the value model and what the program file carries need
# nothing else; the widgets Qt lacks and the sound need only values; the
# runtime and the unit types lean on each other; the commands sit on top.
set(allowed_host "host/commands/")
set(allowed_host_values "host/values/")
set(allowed_host_embedded "host/embedded/")
set(allowed_host_widgets "host/widgets/;host/values/")
set(allowed_host_sound "host/sound/;host/values/")
set(allowed_host_runtime "host/runtime/;host/units/;host/widgets/;host/embedded/;host/values/")
set(allowed_host_units "${allowed_host_runtime}")
set(allowed_host_commands "host/commands/;host/runtime/;host/widgets/;host/values/")
set(allowed_resources "resources/;host/")
set(allowed_core "core/;host/;resources/")
set(allowed_ui_main "ui/main/;core/;host/")
set(allowed_ui_editor "ui/editor/;core/;host/")
set(allowed_ui_ring "ui/ring/;core/;host/")
set(qt_free core ui)

set(problems "")
foreach(folder host host/values host/embedded host/widgets host/sound host/runtime host/units host/commands
               resources core ui/main ui/editor ui/ring)
    string(REPLACE "/" "_" key "${folder}")
    if(folder STREQUAL "host")
        # The host's top level holds only commands.h, the door to its commands.
        file(GLOB files RELATIVE "${ROOT}" "${ROOT}/host/*.h" "${ROOT}/host/*.cpp")
    else()
        file(GLOB_RECURSE files RELATIVE "${ROOT}" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
    endif()
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

# Each window's units are declared once, in layout order, each with its
# number and its layout name: the numbers count up from 1, each name is its
# identifier, and the window's layout lists the same units in the same order.
set(windows "core/mainwindowunits.h:ui/main/mainwindowlayout.cpp"
            "ui/editor/editorwindowlayout.h:ui/editor/editorwindowlayout.cpp"
            "ui/ring/ringwindowlayout.h:ui/ring/ringwindowlayout.cpp"
            "ui/main/settingswindowlayout.h:ui/main/settingswindowlayout.cpp")
foreach(window IN LISTS windows)
    string(REPLACE ":" ";" pair "${window}")
    list(GET pair 0 header)
    list(GET pair 1 layout)
    file(STRINGS "${ROOT}/${header}" declarations ENCODING UTF-8 REGEX "host::UnitRef [^ ]+\\{id, [1-9]")
    set(declared "")
    set(expected 1)
    foreach(line IN LISTS declarations)
        if(NOT line MATCHES "host::UnitRef ([^ {]+)\\{id, ([0-9]+), \"([^\"]*)\"\\};")
            string(APPEND problems "${header}: a unit without its name: ${line}\n")
            continue()
        endif()
        if(NOT CMAKE_MATCH_1 STREQUAL CMAKE_MATCH_3)
            string(APPEND problems "${header}: unit ${CMAKE_MATCH_1} is named \"${CMAKE_MATCH_3}\"\n")
        endif()
        if(NOT CMAKE_MATCH_2 EQUAL expected)
            string(APPEND problems "${header}: unit ${CMAKE_MATCH_1} is number ${CMAKE_MATCH_2}, not ${expected}\n")
        endif()
        list(APPEND declared "${CMAKE_MATCH_1}")
        math(EXPR expected "${expected} + 1")
    endforeach()
    # The units as the layout's list gives them: each entry names its unit
    # first, as a builder's first argument or as .ref.
    file(READ "${ROOT}/${layout}" source)
    string(REGEX MATCH "window\\.units = \\{.*\n    \\};" entries "${source}")
    string(REGEX MATCHALL "(\\(|\\.ref = )[^ ,(){}.]+," named "${entries}")
    set(listed "")
    foreach(name IN LISTS named)
        string(REGEX REPLACE "^(\\(|\\.ref = )" "" name "${name}")
        string(REPLACE "," "" name "${name}")
        if(name IN_LIST declared)
            list(APPEND listed "${name}")
        endif()
    endforeach()
    if(NOT listed STREQUAL declared)
        string(APPEND problems "${layout} does not list the units of ${header} in their order:\n  ${listed}\n")
    endif()
endforeach()

if(problems)
    message(FATAL_ERROR "Includes against the direction of the layers, or units out of place:\n${problems}")
endif()
