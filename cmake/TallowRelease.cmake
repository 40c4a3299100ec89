# The program's identity for the Windows resources and the release packages, read
# from dist/const.dat, the file that ships beside the program: the version the
# program shows is the version its file properties and its installer show.
#
#   tallow_read_const(KEY OUT)   value of KEY in section [setting] (empty when absent)
#   tallow_release_identity()    sets TALLOW_APP_NAME, TALLOW_APP_VER (as written),
#                                TALLOW_APP_VER4 (four numbers, dotted), TALLOW_APP_VER_COMMAS,
#                                TALLOW_APP_PUBLISHER, TALLOW_APP_COPYRIGHT,
#                                TALLOW_APP_REGPATH, TALLOW_APP_CONFIGPATH

function(tallow_read_const key out)
    set(file ${CMAKE_SOURCE_DIR}/dist/const.dat)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    file(STRINGS ${file} lines)
    set(in_setting OFF)
    set(value "")
    string(TOLOWER "${key}" wanted)
    foreach(line IN LISTS lines)
        string(STRIP "${line}" line)
        if(line MATCHES "^\\[(.*)\\]$")
            string(TOLOWER "${CMAKE_MATCH_1}" section)
            string(COMPARE EQUAL "${section}" "setting" in_setting)
        elseif(in_setting AND line MATCHES "^([^=]*)=(.*)$")
            string(TOLOWER "${CMAKE_MATCH_1}" name)
            if(name STREQUAL wanted)
                set(value "${CMAKE_MATCH_2}")
                break()
            endif()
        endif()
    endforeach()
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

macro(tallow_release_identity)
    tallow_read_const(App.Name TALLOW_APP_NAME)
    tallow_read_const(App.Ver TALLOW_APP_VER)
    tallow_read_const(App.Copyright TALLOW_APP_COPYRIGHT)
    tallow_read_const(App.RegPath TALLOW_APP_REGPATH)
    tallow_read_const(App.ConfigPath TALLOW_APP_CONFIGPATH)
    # Windows keeps a file version as four numbers of 16 bits: the text up to the
    # first blank, split at dots, missing parts 0.
    string(REGEX REPLACE " .*" "" _ver "${TALLOW_APP_VER}")
    string(REPLACE "." ";" _parts "${_ver}")
    set(_nums "")
    foreach(_i RANGE 0 3)
        list(LENGTH _parts _n)
        set(_p 0)
        if(_i LESS _n)
            list(GET _parts ${_i} _p)
        endif()
        if(NOT _p MATCHES "^[0-9]+$" OR _p GREATER 65535)
            message(FATAL_ERROR "App.Ver in dist/const.dat is \"${TALLOW_APP_VER}\": want up to four numbers 0-65535")
        endif()
        list(APPEND _nums ${_p})
    endforeach()
    list(JOIN _nums "." TALLOW_APP_VER4)
    list(JOIN _nums "," TALLOW_APP_VER_COMMAS)
    # The publisher is whoever App.Copyright names after the year.
    string(REGEX REPLACE "^.*[0-9][0-9][0-9][0-9][ ]*" "" TALLOW_APP_PUBLISHER "${TALLOW_APP_COPYRIGHT}")
    if(TALLOW_APP_PUBLISHER STREQUAL "")
        set(TALLOW_APP_PUBLISHER "${TALLOW_APP_NAME}")
    endif()
endmacro()
