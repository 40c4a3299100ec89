# Prints the size of a linked program: cmake -DFILE=path -P PrintSize.cmake
file(SIZE "${FILE}" bytes)
get_filename_component(name "${FILE}" NAME)
math(EXPR kib "(${bytes} + 512) / 1024")
message(STATUS "Release size: ${name} ${bytes} bytes (${kib} KiB, stripped)")
