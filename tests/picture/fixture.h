#pragma once
// The picture fixtures under tests/data/pictures (see make_fixtures.py there).
#include <fstream>
#include <iterator>
#include <string>

namespace kelvora::test {

inline std::string read_picture_fixture(const std::string& name) {
  std::ifstream in(std::string(KELVORA_TEST_DATA) + "/pictures/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace kelvora::test
