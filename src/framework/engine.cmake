# The application engine (TCLEngine). Included by this folder's CMakeLists.txt.
tallow_library(tallow_engine
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/CLEngine.cpp
        ${CMAKE_CURRENT_LIST_DIR}/CLEngineDialogs.cpp
        ${CMAKE_CURRENT_LIST_DIR}/CLEngineText.cpp
        ${CMAKE_CURRENT_LIST_DIR}/CLEngineUrl.cpp
        ${CMAKE_CURRENT_LIST_DIR}/CLEngineSchedule.cpp
    LIBS tallow_diagnostics)
