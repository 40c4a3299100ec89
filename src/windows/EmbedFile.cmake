# Writes the bytes of INPUT as a C++ array:
#   cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -DHEADER=... -P EmbedFile.cmake
# defines `const uint8_t SYMBOL[]` and its length `SYMBOL` + "Size", declared in HEADER.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 24 row)  # 24 bytes a line
string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp
    "// Generated from ${INPUT} by EmbedFile.cmake; do not edit.\n"
    "#include \"${HEADER}\"\n\nnamespace tallow {\n\n"
    "const uint8_t ${SYMBOL}[] = {\n    ${bytes}\n};\n"
    "const std::size_t ${SYMBOL}Size = ${size};\n\n}  // namespace tallow\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
