/* Synthesised input for the benchmarks, with the times it was made.
 *
 *   benchinput key MODIFIERS KEYSYM
 *       presses and releases the combination through XTest and prints
 *       "key <server_ms> <before_ns> <after_ns>": the X server time taken just
 *       before the key press was made, and CLOCK_MONOTONIC before the press
 *       was sent and after XSync returned (the server had made it by then).
 *   benchinput flood N
 *       makes N left clicks at the pointer through XTest, as fast as Xlib can
 *       send them, and prints "flood <before_ns> <after_ns>" around them.
 *
 * MODIFIERS joins "none", "ctrl" and "alt" with "+"; KEYSYM is an X key
 * symbol name such as F3. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static long long MonotonicNs(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

static int Fail(const char *what) {
  fprintf(stderr, "benchinput: %s failed\n", what);
  return 1;
}

/* Key codes of the modifiers named in `text`, 0-terminated; 0 on a bad name. */
static int ModifierCodes(Display *display, const char *text, KeyCode codes[3]) {
  char copy[32];
  int count = 0;
  codes[0] = 0;
  if (strcmp(text, "none") == 0) return 1;
  if (snprintf(copy, sizeof copy, "%s", text) >= (int)sizeof copy) return 0;
  for (char *name = strtok(copy, "+"); name; name = strtok(NULL, "+")) {
    const KeySym sym = strcmp(name, "ctrl") == 0  ? XK_Control_L
                       : strcmp(name, "alt") == 0 ? XK_Alt_L
                                                  : NoSymbol;
    if (sym == NoSymbol || count == 2) return 0;
    codes[count++] = XKeysymToKeycode(display, sym);
    codes[count] = 0;
  }
  return count > 0;
}

/* The server's current time: the time stamp of a change to a property of a
 * window of ours, the one way X offers to read it. */
static Time ServerTime(Display *display, Window window) {
  const Atom atom = XInternAtom(display, "VELMO_BENCH_TIME", False);
  XChangeProperty(display, window, atom, XA_STRING, 8, PropModeReplace, NULL, 0);
  XEvent event;
  XWindowEvent(display, window, PropertyChangeMask, &event);
  return event.xproperty.time;
}

static int Key(Display *display, const char *modifiers, const char *keysym) {
  KeyCode codes[3];
  const KeySym sym = XStringToKeysym(keysym);
  const KeyCode key = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
  if (key == 0 || !ModifierCodes(display, modifiers, codes)) return Fail("reading the key names");
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0,
                                            0, 0);
  XSelectInput(display, window, PropertyChangeMask);
  for (int i = 0; codes[i]; ++i) XTestFakeKeyEvent(display, codes[i], True, CurrentTime);
  XSync(display, False);
  const Time server = ServerTime(display, window);
  const long long before = MonotonicNs();
  if (!XTestFakeKeyEvent(display, key, True, CurrentTime)) return Fail("XTestFakeKeyEvent(press)");
  XSync(display, False);
  const long long after = MonotonicNs();
  XTestFakeKeyEvent(display, key, False, CurrentTime);
  for (int i = 0; codes[i]; ++i) XTestFakeKeyEvent(display, codes[i], False, CurrentTime);
  XSync(display, False);
  printf("key %lu %lld %lld\n", (unsigned long)server, before, after);
  return 0;
}

static int Flood(Display *display, long count) {
  const long long before = MonotonicNs();
  for (long i = 0; i < count; ++i) {
    if (!XTestFakeButtonEvent(display, 1, True, CurrentTime) ||
        !XTestFakeButtonEvent(display, 1, False, CurrentTime))
      return Fail("XTestFakeButtonEvent");
  }
  XSync(display, False);
  printf("flood %lld %lld\n", before, MonotonicNs());
  return 0;
}

int main(int argc, char **argv) {
  Display *display = XOpenDisplay(NULL);
  if (display == NULL) return Fail("XOpenDisplay");
  int status = 2;
  if (argc == 4 && strcmp(argv[1], "key") == 0) {
    status = Key(display, argv[2], argv[3]);
  } else if (argc == 3 && strcmp(argv[1], "flood") == 0 && atol(argv[2]) > 0) {
    status = Flood(display, atol(argv[2]));
  } else {
    fprintf(stderr, "usage: benchinput key MODIFIERS KEYSYM | benchinput flood N\n");
  }
  XCloseDisplay(display);
  return status;
}
