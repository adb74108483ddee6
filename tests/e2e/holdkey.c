/* Plays "another program holds this hotkey": grabs a key combination on the
 * root window and stays alive until killed.
 *
 *   holdkey MODIFIERS KEYSYM           grab, print "holding", wait
 *   holdkey --probe MODIFIERS KEYSYM   grab and release at once; exit 0 when
 *                                      the combination was free, 3 when
 *                                      someone else holds it
 *
 * MODIFIERS joins "none", "ctrl", "alt", "capslock" and "numlock" (Mod2, as
 * on common keyboards) with "+"; KEYSYM is an X key symbol name such as F3.
 * Exactly that combination is grabbed: the one without lock keys is enough
 * to refuse a program that wants it under every lock combination. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <string.h>

enum { kHeld = 3, kUsage = 2, kFailed = 1 };

static int lastError = Success;

static int RecordError(Display *display, XErrorEvent *event) {
  (void)display;
  if (lastError == Success) lastError = event->error_code;
  return 0;
}

static int ParseModifier(const char *name, size_t length, unsigned *mask) {
  static const struct {
    const char *name;
    unsigned mask;
  } kNames[] = {{"none", 0},
                {"ctrl", ControlMask},
                {"alt", Mod1Mask},
                {"capslock", LockMask},
                {"numlock", Mod2Mask}};
  for (size_t i = 0; i < sizeof kNames / sizeof kNames[0]; ++i) {
    if (strlen(kNames[i].name) == length && strncmp(name, kNames[i].name, length) == 0) {
      *mask |= kNames[i].mask;
      return 1;
    }
  }
  return 0;
}

static int ParseModifiers(const char *text, unsigned *mask) {
  *mask = 0;
  for (;;) {
    const char *plus = strchr(text, '+');
    const size_t length = plus ? (size_t)(plus - text) : strlen(text);
    if (!ParseModifier(text, length, mask)) return 0;
    if (!plus) return 1;
    text = plus + 1;
  }
}

/* Success, BadAccess when someone else holds the combination, or the X error.
 * With `release`, the grab is released in the same batch of requests, which
 * the server handles back to back: a probe never holds the combination at
 * the moment another client asks for it, so polling with probes while a
 * program starts cannot make its own grab fail. */
static int Grab(Display *display, KeyCode code, unsigned mask, int release) {
  const Window root = DefaultRootWindow(display);
  XSetErrorHandler(RecordError);
  XGrabKey(display, code, mask, root, False, GrabModeAsync, GrabModeAsync);
  if (release) XUngrabKey(display, code, mask, root);
  XSync(display, False);
  return lastError;
}

_Noreturn static void Hold(Display *display) {
  printf("holding\n");
  fflush(stdout);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

int main(int argc, char **argv) {
  const int probe = argc == 4 && strcmp(argv[1], "--probe") == 0;
  unsigned mask = 0;
  if (argc != 3 + probe || !ParseModifiers(argv[1 + probe], &mask)) {
    fprintf(stderr, "usage: holdkey [--probe] MODIFIER[+MODIFIER...] KEYSYM\n");
    return kUsage;
  }
  Display *display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "holdkey: XOpenDisplay failed\n");
    return kFailed;
  }
  const KeySym sym = XStringToKeysym(argv[2 + probe]);
  const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
  if (code == 0) {
    fprintf(stderr, "holdkey: no key code for '%s'\n", argv[2 + probe]);
    return kUsage;
  }
  const int error = Grab(display, code, mask, probe);
  if (error == BadAccess) {
    XCloseDisplay(display);
    return kHeld;
  }
  if (error != Success) {
    fprintf(stderr, "holdkey: XGrabKey failed with X error %d\n", error);
    return kFailed;
  }
  if (!probe) Hold(display);
  XCloseDisplay(display);
  return 0;
}
