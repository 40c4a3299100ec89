# The files of the release, without starting it: the portable zip, the
# installer's file list and the MSI package's (its generated fragment, and the
# package's own File table where msiinfo of msitools is installed) hold exactly tallowmere.exe, TraceViewer.exe, the files
# of dist/ and one packed skin per skin source folder, and nothing else (no
# benchmark, gallery or test program).
#   cmake -DBIN_DIR=... -DSTAGE_DIR=... -DSOURCE_DIR=... -P release-contents.cmake

cmake_minimum_required(VERSION 3.25)

# What should ship, from the sources alone.
set(expected tallowmere.exe TraceViewer.exe)
file(GLOB_RECURSE dist RELATIVE ${SOURCE_DIR}/dist LIST_DIRECTORIES false ${SOURCE_DIR}/dist/*)
list(APPEND expected ${dist})
file(GLOB skins LIST_DIRECTORIES true ${SOURCE_DIR}/src/toolkit/skin/sources/*)
foreach(dir IN LISTS skins)
    if(EXISTS ${dir}/skin.ini)
        get_filename_component(name ${dir} NAME)
        list(APPEND expected skins/${name}.skn)
    endif()
endforeach()
list(SORT expected)

set(failures "")
# The items of ARGN relative to `prefix` (without it and a closing quote); an item
# outside `prefix` stays whole, so the comparison shows it as extra.
function(relative_to prefix out)
    set(result "")
    string(LENGTH "${prefix}" n)
    foreach(item IN LISTS ARGN)
        string(FIND "${item}" "${prefix}" at)
        if(at EQUAL 0)
            string(SUBSTRING "${item}" ${n} -1 item)
        endif()
        string(REGEX REPLACE "\"$" "" item "${item}")
        list(APPEND result "${item}")
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()
function(compare what)
    set(got ${ARGN})
    list(SORT got)
    if(NOT got STREQUAL expected)
        set(extra ${got})
        list(REMOVE_ITEM extra ${expected})
        set(missing ${expected})
        list(REMOVE_ITEM missing ${got})
        set(failures "${failures}\n${what}: extra [${extra}], missing [${missing}]" PARENT_SCOPE)
    endif()
endfunction()

# The portable zip: its files, all in one folder named like the zip.
file(GLOB zip ${BIN_DIR}/*-portable.zip)
list(LENGTH zip count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one portable zip in ${BIN_DIR}, found [${zip}]")
endif()
get_filename_component(stem ${zip} NAME)
string(REGEX REPLACE "-portable\\.zip$" "" stem "${stem}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "[^\n]*/\n" "" listing "${listing}")  # folder entries
string(STRIP "${listing}" listing)
string(REPLACE "\n" ";" entries "${listing}")
relative_to("${stem}/" zipped ${entries})
compare("portable zip" ${zipped})

# The installer's list: one File line per shipped file, taken from the zip's folder.
file(STRINGS ${STAGE_DIR}/install.nsh lines REGEX "^File ")
relative_to("File \"${STAGE_DIR}/${stem}/" installed ${lines})
compare("installer" ${installed})

# The MSI package's list, where wixl made one.
set(msi ${BIN_DIR}/${stem}.msi)
if(EXISTS ${msi})
    file(STRINGS ${STAGE_DIR}/files.wxs lines REGEX "<File ")
    set(packaged "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE ".*Source=\"${stem}/([^\"]*)\".*" "\\1" f "${line}")
        list(APPEND packaged "${f}")
    endforeach()
    compare("MSI package" ${packaged})
    find_program(MSIINFO msiinfo)
    if(MSIINFO)
        # Table rows: File, Component, FileName (short|long), ...; names only,
        # since the table keeps no folders.
        execute_process(COMMAND ${MSIINFO} export ${msi} File OUTPUT_VARIABLE table COMMAND_ERROR_IS_FATAL ANY)
        string(REPLACE "\n" ";" rows "${table}")
        list(LENGTH packaged want)
        set(named 0)
        foreach(row IN LISTS rows)
            if(row MATCHES "^f[0-9]+\t")
                math(EXPR named "${named} + 1")
            endif()
        endforeach()
        if(NOT named EQUAL want)
            set(failures "${failures}\nMSI package: its File table holds ${named} files, not ${want}")
        endif()
    endif()
else()
    message(STATUS "no ${stem}.msi (wixl missing at build time): the MSI list is not checked")
endif()

if(failures)
    message(FATAL_ERROR "the release does not hold exactly the shipped files:${failures}")
endif()
list(LENGTH expected n)
message(STATUS "the zip, the installer and the MSI package hold the ${n} shipped files")
