/* Counts the clicks a program asks XTest to make, for the click benchmarks:
 * loaded into the program with LD_PRELOAD, it passes every
 * XTestFakeButtonEvent on to libXtst and counts the presses in a 64-bit
 * integer mapped from the file named by VELMO_BENCH_SENT, so that the
 * benchmark reads the running total at any moment without the program's
 * help. Nothing is counted when the variable is unset. The variable is taken
 * out of the environment at once: the program's own child processes (the web
 * views' helpers) inherit LD_PRELOAD but must not share the count. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

typedef int (*FakeButton)(Display *, unsigned, Bool, unsigned long);

static volatile int64_t *sent;

__attribute__((constructor)) static void MapCount(void) {
  const char *path = getenv("VELMO_BENCH_SENT");
  if (path == NULL) return;
  const int fd = open(path, O_RDWR | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ftruncate(fd, sizeof *sent) != 0) {
    perror(path);
    exit(1);
  }
  unsetenv("VELMO_BENCH_SENT");
  void *map = mmap(NULL, sizeof *sent, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  close(fd);
  if (map == MAP_FAILED) {
    perror("sentcount: mmap");
    exit(1);
  }
  sent = map;
}

int XTestFakeButtonEvent(Display *display, unsigned button, Bool isPress, unsigned long delay) {
  static FakeButton real;
  if (real == NULL) real = (FakeButton)dlsym(RTLD_NEXT, "XTestFakeButtonEvent");
  if (real == NULL) {
    fprintf(stderr, "sentcount: XTestFakeButtonEvent not found: %s\n", dlerror());
    exit(1);
  }
  if (isPress && sent != NULL) ++*sent;
  return real(display, button, isPress, delay);
}
