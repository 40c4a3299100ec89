# The application engine (TCLEngine). Included by this folder's CMakeLists.txt.
tallow_library(tallow_engine
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/CLEngine.cpp
        ${CMAKE_CURRENT_LIST_DIR}/CLEngineDialogs.cpp
        ${CMAKE_CURRENT_LIST_DIR}/CLEngineText.cpp
        ${CMAKE_CURRENT_LIST_DIR}/CLEngineUrl.cpp
        ${CMAKE_CURRENT_LIST_DIR}/CLEngineSchedule.cpp
    LIBS tallow_components tallow_skin tallow_settings tallow_diagnostics)

# The engine's services in the program: settings store, skinned forms, the
# toolkit's message dialog and, in the Windows trees, the system and the
# installation of all of them.
tallow_library(tallow_engine_app
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/CLEngineStandard.cpp
    WIN32_SOURCES ${CMAKE_CURRENT_LIST_DIR}/CLEngineSystem_win.cpp
    LIBS tallow_engine tallow_toolkit tallow_platform
    WIN32_LIBS shell32 user32)
