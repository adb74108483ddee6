// Makes one sanitizer report on request, built as every program of the
// sanitizer build is: "leak" loses a block, "shift" shifts an int by more than
// its width. scripts/sanitize.sh runs both and expects their reports in the
// folder it names, so that a run without reports means a clean run.
#include <cstdio>
#include <cstdlib>
#include <cstring>

void* volatile lost;

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  if (std::strcmp(argv[1], "leak") == 0) {
    lost = std::malloc(16);
    lost = nullptr;
    return 0;
  }
  if (std::strcmp(argv[1], "shift") == 0) {
    volatile int by = 40;
    std::printf("%d\n", 1 << by);
    return 0;
  }
  return 2;
}
