/* Counts the clicks a Wayland surface receives. Shows one full-screen
 * toplevel (on the output sway gives it: the focused one) and writes
 * "press <button> <x> <y> <ms> <received_ns>" to the file named by argv[1]
 * for every button press, and the same with "release", flushed at once.
 * Buttons are numbered as X numbers them (1 left, 2 middle, 3 right), x and
 * y are surface coordinates, ms the event's time and received_ns
 * CLOCK_MONOTONIC when it was read. Prints "ready" on stdout once the
 * compositor has shown the surface. */
#define _GNU_SOURCE
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

#include "xdg-shell-client-protocol.h"

struct Counter {
  FILE *out;
  struct wl_compositor *compositor;
  struct wl_shm *shm;
  struct xdg_wm_base *shell;
  struct wl_seat *seat;
  struct wl_pointer *pointer;
  struct wl_surface *surface;
  struct wl_buffer *buffer;
  double x, y;
  int shown, failed;
};

static void Global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version) {
  struct Counter *c = data;
  if (strcmp(interface, wl_compositor_interface.name) == 0)
    c->compositor = wl_registry_bind(registry, name, &wl_compositor_interface, 1);
  else if (strcmp(interface, wl_shm_interface.name) == 0)
    c->shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
  else if (strcmp(interface, xdg_wm_base_interface.name) == 0)
    c->shell = wl_registry_bind(registry, name, &xdg_wm_base_interface, 1);
  else if (strcmp(interface, wl_seat_interface.name) == 0 && !c->seat)
    c->seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
}
static void GlobalRemove(void *data, struct wl_registry *registry, uint32_t name) {}
static const struct wl_registry_listener kRegistry = {.global = Global,
                                                      .global_remove = GlobalRemove};

static void Ping(void *data, struct xdg_wm_base *shell, uint32_t serial) {
  xdg_wm_base_pong(shell, serial);
}
static const struct xdg_wm_base_listener kShell = {.ping = Ping};

static void Enter(void *data, struct wl_pointer *p, uint32_t serial, struct wl_surface *s,
                  wl_fixed_t x, wl_fixed_t y) {
  struct Counter *c = data;
  c->x = wl_fixed_to_double(x), c->y = wl_fixed_to_double(y);
}
static void Leave(void *data, struct wl_pointer *p, uint32_t serial, struct wl_surface *s) {}
static void Motion(void *data, struct wl_pointer *p, uint32_t time, wl_fixed_t x, wl_fixed_t y) {
  struct Counter *c = data;
  c->x = wl_fixed_to_double(x), c->y = wl_fixed_to_double(y);
}
static void Button(void *data, struct wl_pointer *p, uint32_t serial, uint32_t time,
                   uint32_t button, uint32_t state) {
  struct Counter *c = data;
  const int number = button == BTN_LEFT     ? 1
                     : button == BTN_MIDDLE ? 2
                     : button == BTN_RIGHT  ? 3
                                            : 0;
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  if (fprintf(c->out, "%s %d %d %d %u %lld\n", state ? "press" : "release", number, (int)c->x,
              (int)c->y, time, (long long)now.tv_sec * 1000000000LL + now.tv_nsec) < 0 ||
      fflush(c->out) != 0) {
    perror("wlclickcounter: writing the count");
    c->failed = 1;
  }
}
static void Axis(void *data, struct wl_pointer *p, uint32_t time, uint32_t axis, wl_fixed_t v) {}
static const struct wl_pointer_listener kPointer = {
    .enter = Enter, .leave = Leave, .motion = Motion, .button = Button, .axis = Axis};

/* The seat loses its pointer when the last pointer device goes (a program
 * that clicked here ends) and gets one with the next. */
static void Capabilities(void *data, struct wl_seat *seat, uint32_t caps) {
  struct Counter *c = data;
  if ((caps & WL_SEAT_CAPABILITY_POINTER) && !c->pointer) {
    c->pointer = wl_seat_get_pointer(seat);
    wl_pointer_add_listener(c->pointer, &kPointer, c);
  } else if (!(caps & WL_SEAT_CAPABILITY_POINTER) && c->pointer) {
    wl_pointer_destroy(c->pointer);
    c->pointer = NULL;
  }
}
static const struct wl_seat_listener kSeat = {.capabilities = Capabilities};

/* A black buffer of the size asked. */
static struct wl_buffer *MakeBuffer(struct Counter *c, int width, int height) {
  const int stride = width * 4, size = stride * height;
  const int fd = memfd_create("wlclickcounter", MFD_CLOEXEC);
  if (fd < 0 || ftruncate(fd, size) != 0) return NULL;
  struct wl_shm_pool *pool = wl_shm_create_pool(c->shm, fd, size);
  struct wl_buffer *buffer =
      wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  return buffer;
}

static void Shown(void *data, struct wl_callback *callback, uint32_t time) {
  ((struct Counter *)data)->shown = 1;
  wl_callback_destroy(callback);
}
static const struct wl_callback_listener kFrame = {.done = Shown};

static int width = 0, height = 0;
static void ToplevelConfigure(void *data, struct xdg_toplevel *t, int32_t w, int32_t h,
                              struct wl_array *states) {
  if (w > 0 && h > 0) width = w, height = h;
}
static void ToplevelClose(void *data, struct xdg_toplevel *t) {}
static const struct xdg_toplevel_listener kToplevel = {.configure = ToplevelConfigure,
                                                       .close = ToplevelClose};

static void SurfaceConfigure(void *data, struct xdg_surface *xdg, uint32_t serial) {
  struct Counter *c = data;
  xdg_surface_ack_configure(xdg, serial);
  if (c->buffer) wl_buffer_destroy(c->buffer);
  c->buffer = MakeBuffer(c, width ? width : 640, height ? height : 480);
  if (!c->buffer) {
    perror("wlclickcounter: the buffer");
    c->failed = 1;
    return;
  }
  wl_surface_attach(c->surface, c->buffer, 0, 0);
  wl_surface_damage(c->surface, 0, 0, INT32_MAX, INT32_MAX);
  /* The first configure may come before sway has made the surface full
   * screen: ready only once a buffer of the size it asked is on screen. */
  if (width) wl_callback_add_listener(wl_surface_frame(c->surface), &kFrame, c);
  wl_surface_commit(c->surface);
}
static const struct xdg_surface_listener kSurface = {.configure = SurfaceConfigure};

int main(int argc, char **argv) {
  struct Counter c = {0};
  if (argc != 2) {
    fprintf(stderr, "usage: wlclickcounter OUTPUT-FILE\n");
    return 2;
  }
  if (!(c.out = fopen(argv[1], "w"))) {
    perror(argv[1]);
    return 1;
  }
  struct wl_display *display = wl_display_connect(NULL);
  if (!display) {
    perror("wlclickcounter: wl_display_connect");
    return 1;
  }
  wl_registry_add_listener(wl_display_get_registry(display), &kRegistry, &c);
  wl_display_roundtrip(display);
  if (!c.compositor || !c.shm || !c.shell || !c.seat) {
    fprintf(stderr, "wlclickcounter: the compositor lacks a global we need\n");
    return 1;
  }
  xdg_wm_base_add_listener(c.shell, &kShell, &c);
  wl_seat_add_listener(c.seat, &kSeat, &c);
  c.surface = wl_compositor_create_surface(c.compositor);
  struct xdg_surface *xdg = xdg_wm_base_get_xdg_surface(c.shell, c.surface);
  xdg_surface_add_listener(xdg, &kSurface, &c);
  struct xdg_toplevel *toplevel = xdg_surface_get_toplevel(xdg);
  xdg_toplevel_add_listener(toplevel, &kToplevel, &c);
  xdg_toplevel_set_title(toplevel, "wlclickcounter");
  xdg_toplevel_set_fullscreen(toplevel, NULL);
  wl_surface_commit(c.surface);
  int said = 0;
  while (!c.failed && wl_display_dispatch(display) >= 0) {
    if (c.shown && !said) {
      printf("ready\n");
      fflush(stdout);
      said = 1;
    }
  }
  if (!c.failed) fprintf(stderr, "wlclickcounter: the connection ended\n");
  return 1;
}
