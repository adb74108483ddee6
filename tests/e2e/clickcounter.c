/* Counts the clicks it receives. Maps one window over the whole screen and
 * writes "press <button> <x_root> <y_root> <server_ms> <received_ns>" to the
 * file named by argv[1] for every button press, and the same with "release"
 * for every release, flushed at once so a test can read it while clicks keep
 * coming. server_ms is the event's X server time (when the server made the
 * press); received_ns is CLOCK_MONOTONIC when the press was read here,
 * comparable with the clock of other processes on the machine. Prints
 * "ready" on stdout once the window is on screen.
 *
 * With --focus the window also takes the keyboard focus and writes
 * "key <keysym name> 0 0 <server_ms> <received_ns>" (and "keyup") for keys.
 * With --raw it maps no window and writes the presses and releases of every
 * window, as the input extension's raw events on the root window report
 * them (x and y are the pointer's when the event is read).
 *
 * The window is override-redirect (there is no window manager) and raises
 * itself over every window mapped or restacked after it, so that clicks land
 * here rather than on the program under test. Unless asked, it takes no
 * keyboard focus: key grabs on the root window see every key press anyway. */
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

static void WaitForMap(Display *display, Window window) {
  XEvent event;
  do {
    XNextEvent(display, &event);
  } while (event.type != MapNotify || event.xmap.window != window);
}

static Window MakeWindow(Display *display) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes;
  attributes.override_redirect = True;
  attributes.event_mask =
      ButtonPressMask | ButtonReleaseMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask;
  return XCreateWindow(display, RootWindow(display, screen), 0, 0, DisplayWidth(display, screen),
                       DisplayHeight(display, screen), 0, CopyFromParent, InputOutput,
                       CopyFromParent, CWOverrideRedirect | CWEventMask, &attributes);
}

static int Write(FILE *out, const char *kind, const char *what, int x, int y,
                 unsigned long server_ms) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long received = (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
  if (fprintf(out, "%s %s %d %d %lu %lld\n", kind, what, x, y, server_ms, received) < 0 ||
      fflush(out) != 0) {
    perror("clickcounter: writing the count");
    return 1;
  }
  return 0;
}

static int WriteButton(FILE *out, const char *kind, unsigned button, int x, int y,
                       unsigned long server_ms) {
  char number[16];
  snprintf(number, sizeof number, "%u", button);
  return Write(out, kind, number, x, y, server_ms);
}

static int Count(Display *display, Window window, FILE *out) {
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    int failed = 0;
    if (event.type == ButtonPress || event.type == ButtonRelease) {
      failed = WriteButton(out, event.type == ButtonPress ? "press" : "release",
                           event.xbutton.button, event.xbutton.x_root, event.xbutton.y_root,
                           event.xbutton.time);
    } else if (event.type == KeyPress || event.type == KeyRelease) {
      const char *name = XKeysymToString(XLookupKeysym(&event.xkey, 0));
      failed = Write(out, event.type == KeyPress ? "key" : "keyup", name ? name : "?", 0, 0,
                     event.xkey.time);
    } else if ((event.type == MapNotify && event.xmap.window != window) ||
               (event.type == ConfigureNotify && event.xconfigure.window != window)) {
      XRaiseWindow(display, window);
    }
    if (failed) return 1;
  }
}

static int CountRaw(Display *display, FILE *out) {
  int opcode = 0, event_base = 0, error_base = 0, major = 2, minor = 0;
  if (!XQueryExtension(display, "XInputExtension", &opcode, &event_base, &error_base) ||
      XIQueryVersion(display, &major, &minor) != Success) {
    fprintf(stderr, "clickcounter: the X server has no XInput 2\n");
    return 1;
  }
  unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {0};
  XISetMask(mask, XI_RawButtonPress);
  XISetMask(mask, XI_RawButtonRelease);
  XIEventMask events = {XIAllMasterDevices, sizeof mask, mask};
  XISelectEvents(display, DefaultRootWindow(display), &events, 1);
  XSync(display, False);
  printf("ready\n");
  fflush(stdout);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    XGenericEventCookie *cookie = &event.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != opcode ||
        !XGetEventData(display, cookie))
      continue;
    const XIRawEvent *raw = cookie->data;
    Window root, child;
    int x = 0, y = 0, wx, wy;
    unsigned state;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &wx, &wy, &state);
    const int failed = WriteButton(out, cookie->evtype == XI_RawButtonPress ? "press" : "release",
                                   (unsigned)raw->detail, x, y, raw->time);
    XFreeEventData(display, cookie);
    if (failed) return 1;
  }
}

int main(int argc, char **argv) {
  const int focus = argc == 3 && strcmp(argv[2], "--focus") == 0;
  const int raw = argc == 3 && strcmp(argv[2], "--raw") == 0;
  if (argc != 2 && !focus && !raw) {
    fprintf(stderr, "usage: clickcounter OUTPUT-FILE [--focus | --raw]\n");
    return 2;
  }
  FILE *out = fopen(argv[1], "w");
  if (out == NULL) {
    perror(argv[1]);
    return 1;
  }
  Display *display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "clickcounter: XOpenDisplay failed\n");
    return 1;
  }
  if (raw) return CountRaw(display, out);
  const Window window = MakeWindow(display);
  /* Other top-level windows report their mapping here, so we can stay on top. */
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XMapRaised(display, window);
  WaitForMap(display, window);
  if (focus) XSetInputFocus(display, window, RevertToParent, CurrentTime);
  printf("ready\n");
  fflush(stdout);
  const int result = Count(display, window, out);
  XCloseDisplay(display);
  return result;
}
