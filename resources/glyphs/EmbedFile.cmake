# Writes the bytes of INPUT as a C++ source OUTPUT defining
# `const unsigned char SYMBOL[]` and `const unsigned SYMBOL_SIZE`.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Made from ${NAME} at build time.\n"
  "extern const unsigned char ${SYMBOL}[];\nextern const unsigned ${SYMBOL}_SIZE;\n"
  "const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\nconst unsigned ${SYMBOL}_SIZE = ${size};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
