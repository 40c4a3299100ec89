# The Windows services of the cleaners: clipboard, recycle bin, file tree, URL cache,
# URL history store, program starter and system folders. Their interfaces are
# portable headers; the library itself exists only in the Windows trees.
if(TARGET tallow_platform_cleaning OR NOT TALLOW_WIN32)
    return()
endif()
tallow_library(tallow_platform_cleaning
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/Clipboard_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/RecycleBin_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/FileTree_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/UrlCache_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/UrlHistoryStore_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ProgramStarter_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SystemFolders_win.cpp
    LIBS wininet ole32 uuid shell32 userenv ntdll)
