# Makes the Windows release from what the build placed beside the program:
#   <OUT_DIR>/<stem>-portable.zip   the shipped files in one folder, to unpack and run
#   <OUT_DIR>/<stem>-setup.exe      the installer (needs makensis, Debian package nsis)
#   <OUT_DIR>/<stem>.msi            the Windows Installer package (needs wixl, Debian
#                                   package wixl), from WXS with the same files
#   <OUT_DIR>/<stem>-policy.zip     the administrative template of POLICY_DIR, for
#                                   the domain's policy definitions (not installed)
# Run by the tallow_release target with cmake -P and these variables:
#   BIN_DIR STAGE_DIR OUT_DIR STEM NSI WXS POLICY_DIR ICON APP_NAME APP_VER APP_VER4 PUBLISHER
#   COPYRIGHT REGPATH CONFIGPATH PROGRAMS
#
# The shipped files are the programs named in PROGRAMS (tallowmere.exe and
# TraceViewer.exe) and every other file in BIN_DIR that is no program or build
# product, so a new data file or folder (a language, a skin) is picked up without
# a list to keep, while a developer program (the gallery, a benchmark, a test)
# never ships unless it is named.

cmake_minimum_required(VERSION 3.25)

set(program_files "\\.(exe|dll|com|scr|cpl|ocx|pdb|map|a|lib|exp|ilk|o|obj)$")
set(release_files "-setup\\.exe$|-portable\\.zip$|-policy\\.zip$|\\.msi$")
set(shipped_programs "")
foreach(p IN LISTS PROGRAMS)
    string(TOLOWER "${p}" lower)
    list(APPEND shipped_programs "${lower}")
endforeach()

file(GLOB_RECURSE found RELATIVE ${BIN_DIR} LIST_DIRECTORIES false ${BIN_DIR}/*)
list(SORT found)
set(shipped "")
foreach(f IN LISTS found)
    string(TOLOWER "${f}" lower)
    if(lower IN_LIST shipped_programs OR NOT (lower MATCHES "${program_files}" OR lower MATCHES "${release_files}"))
        list(APPEND shipped ${f})
    endif()
endforeach()
foreach(p IN LISTS PROGRAMS)
    if(NOT "${p}" IN_LIST shipped)
        message(FATAL_ERROR "package: no ${p} in ${BIN_DIR}")
    endif()
endforeach()

# The portable folder, zipped.
set(portable ${STAGE_DIR}/${STEM})
file(REMOVE_RECURSE ${STAGE_DIR})
foreach(f IN LISTS shipped)
    get_filename_component(dir ${f} DIRECTORY)
    file(COPY ${BIN_DIR}/${f} DESTINATION ${portable}/${dir})
endforeach()
file(REMOVE ${OUT_DIR}/${STEM}-portable.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT_DIR}/${STEM}-portable.zip --format=zip ${STEM}
    WORKING_DIRECTORY ${STAGE_DIR} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "package: zipping ${STEM} failed")
endif()

# The administrative template, apart: administrators copy it to their policy
# definitions; the program itself never reads it.
file(REMOVE ${OUT_DIR}/${STEM}-policy.zip)
file(COPY ${POLICY_DIR}/ DESTINATION ${STAGE_DIR}/policy/${STEM}-policy)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT_DIR}/${STEM}-policy.zip --format=zip ${STEM}-policy
    WORKING_DIRECTORY ${STAGE_DIR}/policy RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "package: zipping the administrative template failed")
endif()

# The installer's file lists: one SetOutPath per folder, then its files; removal
# deletes exactly those files and then the folders, deepest first.
set(install_lines "")
set(remove_lines "")
set(dirs "")
set(current "-")
foreach(f IN LISTS shipped)
    get_filename_component(dir ${f} DIRECTORY)
    string(REPLACE "/" "\\" wdir "${dir}")
    string(REPLACE "/" "\\" wf "${f}")
    if(NOT dir STREQUAL current)
        set(current "${dir}")
        if(dir STREQUAL "")
            string(APPEND install_lines "SetOutPath \"$INSTDIR\"\n")
        else()
            string(APPEND install_lines "SetOutPath \"$INSTDIR\\${wdir}\"\n")
            # Every parent of the folder goes too (res\images gives res as well).
            set(d "${dir}")
            while(NOT d STREQUAL "")
                list(APPEND dirs "${d}")
                get_filename_component(d "${d}" DIRECTORY)
            endwhile()
        endif()
    endif()
    string(APPEND install_lines "File \"${portable}/${f}\"\n")
    string(APPEND remove_lines "Delete \"$INSTDIR\\${wf}\"\n")
endforeach()
list(REMOVE_DUPLICATES dirs)
list(SORT dirs)
list(REVERSE dirs)
foreach(d IN LISTS dirs)
    string(REPLACE "/" "\\" wd "${d}")
    string(APPEND remove_lines "RMDir \"$INSTDIR\\${wd}\"\n")
endforeach()
file(WRITE ${STAGE_DIR}/install.nsh "${install_lines}")
file(WRITE ${STAGE_DIR}/uninstall.nsh "${remove_lines}")

# The Windows Installer package: one component per file (its key path), the
# folders as in the portable folder. wixl takes source paths relative to the
# folder it runs in, the staging folder.
set(msi ${OUT_DIR}/${STEM}.msi)
file(REMOVE ${msi})
find_program(WIXL wixl)
if(NOT WIXL)
    message(WARNING "wixl not found: ${STEM}.msi is skipped. "
        "Install the Debian package wixl (scripts/setup does) and build again.")
else()
    set(wxs_dirs "")
    set(wxs_refs "")
    set(n 0)
    set(dir_ids "")
    set(open_dirs "")
    # Files sorted by folder: each folder opened once, closed when the next file
    # lies outside it.
    set(by_dir "")
    foreach(f IN LISTS shipped)
        get_filename_component(dir "${f}" DIRECTORY)
        list(APPEND by_dir "${dir}|${f}")
    endforeach()
    list(SORT by_dir)
    foreach(entry IN LISTS by_dir)
        string(REGEX REPLACE "^[^|]*\\|" "" f "${entry}")
        get_filename_component(dir "${f}" DIRECTORY)
        # Close the open folders that are not parents of this one.
        while(open_dirs)
            list(GET open_dirs -1 top)
            if(dir STREQUAL top OR dir MATCHES "^${top}/")
                break()
            endif()
            list(POP_BACK open_dirs)
            string(APPEND wxs_dirs "</Directory>\n")
        endwhile()
        # Open the folders down to this one.
        list(LENGTH open_dirs depth)
        if(depth EQUAL 0)
            set(have "")
        else()
            list(GET open_dirs -1 have)
        endif()
        if(NOT dir STREQUAL have)
            string(LENGTH "${have}" skip)
            if(skip GREATER 0)
                math(EXPR skip "${skip} + 1")
            endif()
            string(SUBSTRING "${dir}" ${skip} -1 rest)
            string(REPLACE "/" ";" parts "${rest}")
            set(path "${have}")
            foreach(part IN LISTS parts)
                if(path STREQUAL "")
                    set(path "${part}")
                else()
                    set(path "${path}/${part}")
                endif()
                math(EXPR n "${n} + 1")
                string(APPEND wxs_dirs "<Directory Id=\"d${n}\" Name=\"${part}\">\n")
                list(APPEND open_dirs "${path}")
            endforeach()
        endif()
        math(EXPR n "${n} + 1")
        string(APPEND wxs_dirs "<Component Id=\"c${n}\" Guid=\"*\"><File Id=\"f${n}\" "
            "Source=\"${STEM}/${f}\" KeyPath=\"yes\"/></Component>\n")
        string(APPEND wxs_refs "<ComponentRef Id=\"c${n}\"/>\n")
    endforeach()
    foreach(d IN LISTS open_dirs)
        string(APPEND wxs_dirs "</Directory>\n")
    endforeach()
    file(WRITE ${STAGE_DIR}/files.wxs "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\"><Fragment>\n"
        "<DirectoryRef Id=\"INSTALLDIR\">\n${wxs_dirs}</DirectoryRef>\n"
        "<ComponentGroup Id=\"ShippedFiles\">\n${wxs_refs}</ComponentGroup>\n</Fragment></Wix>\n")
    configure_file(${ICON} ${STAGE_DIR}/program.ico COPYONLY)
    execute_process(COMMAND ${WIXL} -a x86 -o ${msi}
            -D AppName=${APP_NAME} -D AppVer=${APP_VER} -D AppVer4=${APP_VER4} -D Publisher=${PUBLISHER}
            -D RegPath=${REGPATH} -D Icon=program.ico -D PackageName=${STEM}.msi
            ${WXS} files.wxs
        WORKING_DIRECTORY ${STAGE_DIR}
        RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "package: wixl failed")
    endif()
endif()

set(setup ${OUT_DIR}/${STEM}-setup.exe)
file(REMOVE ${setup})
find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
    message(WARNING "makensis not found: ${STEM}-setup.exe is not made. "
        "Install the Debian package nsis (scripts/setup does) and build again.")
    return()
endif()
execute_process(COMMAND ${MAKENSIS} -V2 -WX
        -DAPP_NAME=${APP_NAME} -DAPP_VER=${APP_VER} -DAPP_VER4=${APP_VER4}
        -DPUBLISHER=${PUBLISHER} -DCOPYRIGHT=${COPYRIGHT} -DREGPATH=${REGPATH}
        -DCONFIGPATH=${CONFIGPATH} -DICON=${ICON} -DOUT_FILE=${setup}
        -DFILES_NSH=${STAGE_DIR}/install.nsh -DUNFILES_NSH=${STAGE_DIR}/uninstall.nsh
        ${NSI}
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "package: makensis failed")
endif()
