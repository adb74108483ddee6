/* Counts the clicks it receives. Maps one window over the whole screen and
 * writes "press <button> <x_root> <y_root> <server_ms> <received_ns>" to the
 * file named by argv[1] for every button press, flushed at once so a test can
 * read it while clicks keep coming. server_ms is the event's X server time
 * (when the server made the press); received_ns is CLOCK_MONOTONIC when the
 * press was read here, comparable with the clock of other processes on the
 * machine. Prints "ready" on stdout once the window is on screen.
 *
 * The window is override-redirect (there is no window manager) and raises
 * itself over every window mapped or restacked after it, so that clicks land
 * here rather than on the program under test. It takes no keyboard focus:
 * key grabs on the root window see every key press anyway. */
#include <X11/Xlib.h>
#include <stdio.h>
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
  attributes.event_mask = ButtonPressMask | StructureNotifyMask;
  return XCreateWindow(display, RootWindow(display, screen), 0, 0, DisplayWidth(display, screen),
                       DisplayHeight(display, screen), 0, CopyFromParent, InputOutput,
                       CopyFromParent, CWOverrideRedirect | CWEventMask, &attributes);
}

static int Count(Display *display, Window window, FILE *out) {
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == ButtonPress) {
      struct timespec now;
      clock_gettime(CLOCK_MONOTONIC, &now);
      const long long received = (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
      if (fprintf(out, "press %u %d %d %lu %lld\n", event.xbutton.button, event.xbutton.x_root,
                  event.xbutton.y_root, (unsigned long)event.xbutton.time, received) < 0 ||
          fflush(out) != 0) {
        perror("clickcounter: writing the count");
        return 1;
      }
    } else if ((event.type == MapNotify && event.xmap.window != window) ||
               (event.type == ConfigureNotify && event.xconfigure.window != window)) {
      XRaiseWindow(display, window);
    }
  }
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: clickcounter OUTPUT-FILE\n");
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
  const Window window = MakeWindow(display);
  /* Other top-level windows report their mapping here, so we can stay on top. */
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XMapRaised(display, window);
  WaitForMap(display, window);
  printf("ready\n");
  fflush(stdout);
  const int result = Count(display, window, out);
  XCloseDisplay(display);
  return result;
}
