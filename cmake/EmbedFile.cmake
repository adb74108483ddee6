# Turns a file into a C++ source that defines a byte array and its size:
#   cmake -DINPUT=file -DOUTPUT=out.cpp -DNAME=symbol -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}"
  "#include <cstddef>\n#include <cstdint>\n"
  "extern const uint8_t ${NAME}[];\nextern const size_t ${NAME}_size;\n"
  "const uint8_t ${NAME}[] = {${bytes}};\n"
  "const size_t ${NAME}_size = sizeof ${NAME};\n")
