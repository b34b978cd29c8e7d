# Writes a C++ source that defines a file's bytes as an array, for files the
# program carries inside itself:
#   cmake -DINPUT=in -DOUTPUT=out.cpp -DNAME=SYMBOL -P tools/embed_bytes.cmake
# defines `const unsigned char SYMBOL[]` and `const size_t SYMBOL_SIZE`.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
get_filename_component(source ${INPUT} NAME)
file(WRITE ${OUTPUT} "// ${source}, written by tools/embed_bytes.cmake.\n"
    "#include <cstddef>\n\n"
    "extern const unsigned char ${NAME}[] = {\n${bytes}\n};\n"
    "extern const size_t ${NAME}_SIZE = ${size};\n")
