# Build helpers shared by every folder.
#
#   tallow_library(name SOURCES ... [WIN32_SOURCES ...] [LIBS ...] [WIN32_LIBS ...])
#       A static library built in both trees; WIN32_SOURCES and WIN32_LIBS only
#       in the win32 tree. Include paths are rooted at src/.
#   tallow_native_test(name SOURCES ... [LIBS ...])
#       A GoogleTest program of the native tree (sanitizers on).
#   tallow_wine_test(name SOURCES ... [LIBS ...] [GUI] [NO_GTEST_MAIN] [TIMEOUT s])
#       A Windows test program that ctest runs under Wine in the test prefix.
#       GUI tests get the display of the test run (Xvfb) and run one at a time.
#   tallow_win32_executable(name SOURCES ... [LIBS ...] [GUI])
#       A Windows program placed in bin/ beside the shipped files.

set(TALLOW_WARNINGS -Wall -Wextra -Werror)

# The Windows test programs are built and run in one Windows tree: by default the
# x86-64 one, since Wine starts 64-bit programs in milliseconds on any x86-64 Linux,
# while 32-bit programs need the kernel's IA-32 support (or an emulator).
option(TALLOW_WINE_TESTS "Build and register the Windows test programs" ON)

set(TALLOW_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${TALLOW_BIN_DIR})

if(NOT TALLOW_WIN32)
    set(TALLOW_SANITIZE ON CACHE BOOL "Build the native tree with ASan and UBSan")
    if(TALLOW_SANITIZE)
        add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
        add_link_options(-fsanitize=address,undefined)
    endif()
else()
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600)
    add_link_options(-static -static-libgcc -static-libstdc++)
    # The shipping tree (the one without test programs) links its programs without
    # debug information; the other trees keep it for the debugger.
    if(NOT TALLOW_WINE_TESTS AND CMAKE_BUILD_TYPE STREQUAL "Release")
        add_link_options(-s)
    endif()
    # The Windows release trees are built for size: -Os, each function and datum
    # in a section of its own, and the linker drops every section nothing uses.
    # Loops where -Os costs speed (the folder walk, the picture decoder) ask for
    # -O2 with tallow_speed_sources(). Both Windows trees build alike, so the
    # benchmarks of the test tree measure the code that ships.
    if(CMAKE_BUILD_TYPE STREQUAL "Release")
        set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
        set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
        add_compile_options(-ffunction-sections -fdata-sections)
        add_link_options(-Wl,--gc-sections)
        # Sections start on page boundaries in the file as in memory, so that the
        # loader can map a program's code and constants straight from its file and
        # only the pages it touches take memory. With the default 512-byte
        # alignment Wine reads every section into private memory at each start.
        add_link_options(-Wl,--file-alignment,4096)
    endif()
    # GCC 12 reports impossible overlaps in inlined std::string concatenation at
    # -O2 and above (GCC bug 105329); the warning says nothing about our code.
    list(APPEND TALLOW_WARNINGS -Wno-restrict)
endif()

function(tallow_library name)
    cmake_parse_arguments(A "" "" "SOURCES;WIN32_SOURCES;LIBS;WIN32_LIBS" ${ARGN})
    set(srcs ${A_SOURCES})
    if(TALLOW_WIN32)
        list(APPEND srcs ${A_WIN32_SOURCES})
    endif()
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE ${TALLOW_WARNINGS})
    target_link_libraries(${name} PUBLIC ${A_LIBS})
    if(TALLOW_WIN32)
        target_link_libraries(${name} PUBLIC ${A_WIN32_LIBS})
    endif()
endfunction()

# Sources whose inner loops run measurably slower at -Os keep -O2 in the Windows
# release trees (the last -O on the command line wins).
function(tallow_speed_sources)
    if(TALLOW_WIN32 AND CMAKE_BUILD_TYPE STREQUAL "Release")
        set_property(SOURCE ${ARGN} APPEND PROPERTY COMPILE_OPTIONS -O2)
    endif()
endfunction()

function(tallow_native_test name)
    if(TALLOW_WIN32)
        return()
    endif()
    cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
    target_compile_options(${name} PRIVATE ${TALLOW_WARNINGS})
    target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gmock GTest::gtest GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS native
        ENVIRONMENT "TALLOW_SOURCE_DIR=${CMAKE_SOURCE_DIR};TALLOW_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp")
endfunction()

function(tallow_win32_executable name)
    if(NOT TALLOW_WIN32)
        return()
    endif()
    cmake_parse_arguments(A "GUI" "" "SOURCES;LIBS" ${ARGN})
    if(A_GUI)
        add_executable(${name} WIN32 ${A_SOURCES})
    else()
        add_executable(${name} ${A_SOURCES})
    endif()
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
    target_compile_options(${name} PRIVATE ${TALLOW_WARNINGS})
    target_link_libraries(${name} PRIVATE ${A_LIBS})
    add_dependencies(${name} tallow_dist)
    # The shipping tree says how large each program came out.
    if(NOT TALLOW_WINE_TESTS AND CMAKE_BUILD_TYPE STREQUAL "Release")
        add_custom_command(TARGET ${name} POST_BUILD VERBATIM
            COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${name}> -P ${CMAKE_SOURCE_DIR}/cmake/PrintSize.cmake)
    endif()
endfunction()

function(tallow_wine_test name)
    if(NOT TALLOW_WIN32 OR NOT TALLOW_WINE_TESTS)
        return()
    endif()
    cmake_parse_arguments(A "GUI;NO_GTEST_MAIN" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
    target_compile_options(${name} PRIVATE ${TALLOW_WARNINGS})
    if(A_NO_GTEST_MAIN)
        target_link_libraries(${name} PRIVATE ${A_LIBS} gmock gtest)
    else()
        target_link_libraries(${name} PRIVATE ${A_LIBS} gmock gtest gtest_main)
    endif()
    add_dependencies(${name} tallow_dist)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT A_TIMEOUT)
        set(A_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES LABELS wine FIXTURES_REQUIRED wine TIMEOUT ${A_TIMEOUT}
        WORKING_DIRECTORY ${TALLOW_BIN_DIR})
    if(A_GUI)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
endfunction()

# The Wine test prefix: created afresh by the first test of a run, kept alive by a
# persistent wineserver and ended by the last one. Its HOME lies in the build tree,
# so the recycle bin and every shell folder belong to the test run.
function(tallow_setup_wine_tests)
    set(TALLOW_WINE_ROOT ${CMAKE_BINARY_DIR}/wine)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(TALLOW_WINE_LOADER /usr/lib/wine/wine64)
    else()
        set(TALLOW_WINE_LOADER /usr/lib/wine/wine)
    endif()
    configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
        @ONLY)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh PARENT_SCOPE)
    add_test(NAME wine_prefix_start COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --start)
    add_test(NAME wine_prefix_stop COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --stop)
    set_tests_properties(wine_prefix_start PROPERTIES FIXTURES_SETUP wine LABELS wine TIMEOUT 2400)
    set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine LABELS wine)
endfunction()

# The shipped files (dist/) are copied beside the programs in bin/. Folders that
# generate shipped files (skins, for example) add their targets as dependencies.
add_custom_target(tallow_dist ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/dist ${TALLOW_BIN_DIR}
    COMMENT "Copying shipped files beside the programs")
