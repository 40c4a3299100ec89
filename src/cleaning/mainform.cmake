# The main window TfrmMain. Included by this folder's CMakeLists.txt.
tallow_library(tallow_mainform
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/uMainForm.cpp
        ${CMAKE_CURRENT_LIST_DIR}/uMainFormLayout.cpp
    WIN32_SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/uMainFormProgram_win.cpp
    LIBS tallow_cleaning tallow_engine tallow_engine_app tallow_toolkit tallow_settings
    WIN32_LIBS tallow_runner)
