#include <cstdio>

int main() {
  std::puts("Kelvora: the main window is not built yet.");
  return 0;
}
