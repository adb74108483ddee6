// velmo_mkdb <data.db> <schema.sql>: an empty script store for a new install.
#include <cstdio>

#include "MakeDataFile.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: velmo_mkdb <data.db> <schema.sql>\n");
    return 2;
  }
  std::string error;
  if (!velmo::MakeDataFile(argv[1], argv[2], error)) {
    std::fprintf(stderr, "velmo_mkdb: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  return 0;
}
