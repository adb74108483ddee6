// Prints the scrambled form of each argument (a UTF-8 text), ready to be
// stored as one of the program's scrambled constants.
#include "web/Scramble.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: velmo_scramble TEXT...\n");
    return 2;
  }
  for (int i = 1; i < argc; ++i) std::printf("%s\n", velmo::ScrambleText(argv[i]).c_str());
  return 0;
}
