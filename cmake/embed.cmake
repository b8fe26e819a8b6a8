# cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=Symbol -DHEADER=path/to.h -P embed.cmake
# Writes the bytes of INPUT as a C++ array NAME with its size NAME##Size.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}
  "// Generated at build time from ${INPUT}.\n"
  "#include \"${HEADER}\"\n\n"
  "const uint8_t ${NAME}[${size}] = {\n${bytes}};\n"
  "const size_t ${NAME}Size = ${size};\n")
