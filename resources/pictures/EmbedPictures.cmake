# Writes a C++ source that registers each JPEG file as named resource data.
# -DOUTPUT=file.cpp -DPICTURES="NAME=path;NAME=path"
set(body "")
set(calls "")
foreach(entry IN LISTS PICTURES)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 name)
  list(GET pair 1 path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND body "const char k${name}[${size}] = {${bytes}};\n")
  string(APPEND calls "  RegisterResourceData(\"${name}\", std::string(k${name}, sizeof k${name}));\n")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Made by EmbedPictures.cmake from resources/pictures; do not edit.\n"
  "#include \"ProgramPictures.h\"\n\n#include <string>\n\n#include \"platform/Resources.h\"\n\n"
  "namespace {\n${body}}  // namespace\n\nvoid RegisterProgramPictures() {\n${calls}}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
