# Writes a C++ source holding the bytes of INPUT as kSkinEngineImage.
# Run as: cmake -DINPUT=<file> -DOUTPUT=<source> -P embed_file.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# One line of source per 16 bytes.
string(REPEAT "0x..," 16 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
  "// Generated from the built skin engine library; do not edit.\n"
  "#include \"app/skin/skin_engine_image.h\"\n\n"
  "namespace kelvora {\n\n"
  "extern const unsigned char kSkinEngineImage[] = {\n${bytes}\n};\n"
  "extern const std::size_t kSkinEngineImageSize = ${size};\n\n"
  "}  // namespace kelvora\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
