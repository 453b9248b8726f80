// Measures a Qt program's start-up from outside, on an X server, without touching the program:
//
//   startup_probe [--settle MS] [--timeout MS] [--verbose] -- program [arguments...]
//
// The probe connects to the display first and asks to hear of every top-level window created
// and mapped (SubstructureNotify on the root window). It then reads the monotonic clock, forks
// and execs the program. For every top-level window it registers a DAMAGE object and selects
// Expose, so it learns when the window was mapped, when the server first exposed it and when
// pixels were first drawn into it after that exposure: that last moment, for the program's own
// window (by _NET_WM_PID), is "shown". After --settle milliseconds more (default 500, time for
// anything a program does lazily after its first paint) the probe closes the window as a window
// manager would (WM_DELETE_WINDOW) and collects the exit status and the peak resident set
// (ru_maxrss) with wait4. It is meant for a bare X server such as Xvfb; under a window manager
// the server's and the manager's own painting into the window may be taken for the program's.
//
// Prints one line:
//   shown_ms=... mapped_ms=... exposed_ms=... maxrss_kb=... exit=... wm=...
// Times are from just before fork. exit is the exit code, or 128+signal if the program had to be
// killed; wm=1 says a window manager was running. With --verbose every window event goes to
// standard error with its time.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

namespace {

double nowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

struct TopLevel {
  xcb_window_t window = XCB_NONE;
  int width = 0;
  int height = 0;
  bool mapped = false;
  bool ours = false;  // the program's own window, not a window manager's frame
  bool checked = false;
  double mappedMs = -1;
  double exposedMs = -1;
  double paintedMs = -1;
};

struct Options {
  int settleMs = 500;
  int timeoutMs = 30000;
  bool verbose = false;
  char** command = nullptr;
};

[[noreturn]] void usage() {
  std::fprintf(stderr,
               "usage: startup_probe [--settle MS] [--timeout MS] [--verbose] -- program [args]\n");
  std::exit(2);
}

Options parse(int argc, char** argv) {
  Options options;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") {
      ++i;
      break;
    }
    if (arg == "--verbose") {
      options.verbose = true;
    } else if ((arg == "--settle" || arg == "--timeout") && i + 1 < argc) {
      (arg == "--settle" ? options.settleMs : options.timeoutMs) = std::atoi(argv[++i]);
    } else {
      usage();
    }
  }
  if (i >= argc) usage();
  options.command = argv + i;
  return options;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t result = reply ? reply->atom : XCB_NONE;
  std::free(reply);
  return result;
}

class Probe {
 public:
  Probe(xcb_connection_t* c, const Options& options, bool windowManager)
      : c_(c),
        options_(options),
        windowManager_(windowManager),
        netWmPid_(atom(c, "_NET_WM_PID")) {}

  // Handles one event; the time it was read is `at`.
  void handle(const xcb_generic_event_t* event, double at) {
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY) {
      const auto* e = reinterpret_cast<const xcb_create_notify_event_t*>(event);
      track(e->window, e->width, e->height);
      log(at, "create", e->window, e->width, e->height);
    } else if (type == XCB_MAP_NOTIFY) {
      // Reported twice without a window manager (on the root and on the window), once on the
      // window when a window manager has reparented it into a frame.
      const auto* e = reinterpret_cast<const xcb_map_notify_event_t*>(event);
      TopLevel& w = track(e->window, 0, 0);
      if (w.mapped) return;
      w.mapped = true;
      if (w.mappedMs < 0) w.mappedMs = at;
      if (!w.checked) {
        w.checked = true;
        w.ours = belongsToProgram(w.window);
      }
      log(at, "map", e->window, w.width, w.height);
    } else if (type == XCB_UNMAP_NOTIFY) {
      const auto* e = reinterpret_cast<const xcb_unmap_notify_event_t*>(event);
      TopLevel* w = find(e->window);
      if (!w || !w->mapped) return;
      w->mapped = false;
      log(at, "unmap", e->window, 0, 0);
    } else if (type == XCB_CONFIGURE_NOTIFY) {
      const auto* e = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
      TopLevel* w = find(e->window);
      if (!w || (w->width == e->width && w->height == e->height)) return;
      w->width = e->width;
      w->height = e->height;
      log(at, "configure", e->window, e->width, e->height);
    } else if (type == XCB_EXPOSE) {
      const auto* e = reinterpret_cast<const xcb_expose_event_t*>(event);
      if (TopLevel* w = find(e->window); w && w->exposedMs < 0) w->exposedMs = at;
      log(at, "expose", e->window, e->width, e->height);
    } else if (type == damageEventBase_ + XCB_DAMAGE_NOTIFY) {
      const auto* e = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
      TopLevel* w = find(e->drawable);
      // Only pixels drawn into a mapped window reach the screen, and the program draws only
      // once told its window is exposed; what the server itself paints comes before that.
      if (w && w->mapped && w->ours && w->exposedMs >= 0 && w->paintedMs < 0) {
        w->paintedMs = at;
        if (!shown_) shown_ = w;
      }
      log(at, "damage", e->drawable, e->area.width, e->area.height);
    }
  }

  void setDamageEventBase(std::uint8_t base) { damageEventBase_ = base; }
  void setProgram(pid_t pid) { pid_ = pid; }
  void setStart(double start) { start_ = start; }
  const TopLevel* shown() const { return shown_; }

 private:
  TopLevel* find(xcb_window_t window) {
    for (TopLevel& w : windows_) {
      if (w.window == window) return &w;
    }
    return nullptr;
  }

  // By _NET_WM_PID, which Qt sets before mapping. A window without it is the program's only if
  // no window manager runs: then the probe and the program are the only clients that map windows.
  bool belongsToProgram(xcb_window_t window) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, window, netWmPid_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    bool ours = !windowManager_;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4) {
      ours = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply)) ==
             static_cast<std::uint32_t>(pid_);
    }
    std::free(reply);
    return ours;
  }

  // The first time a window is seen: follow its damage and its exposures. Errors for a window
  // already destroyed come back as events and are ignored.
  TopLevel& track(xcb_window_t window, int width, int height) {
    if (TopLevel* known = find(window)) return *known;
    const xcb_damage_damage_t damage = xcb_generate_id(c_);
    xcb_damage_create(c_, damage, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    // Structure events come through the root window too, but not once a window manager has
    // reparented the window.
    const std::uint32_t mask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c_, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c_);
    windows_.push_back({window, width, height});
    return windows_.back();
  }

  void log(double at, const char* what, xcb_window_t window, int width, int height) const {
    if (!options_.verbose) return;
    std::fprintf(stderr, "%9.2f ms  %-9s 0x%08x %dx%d\n", at - start_, what, window, width, height);
  }

  xcb_connection_t* c_;
  const Options& options_;
  const bool windowManager_;
  const xcb_atom_t netWmPid_;
  pid_t pid_ = 0;
  std::uint8_t damageEventBase_ = 0;
  double start_ = 0;
  std::deque<TopLevel> windows_;  // a deque: references stay valid as it grows
  const TopLevel* shown_ = nullptr;
};

bool reaped(pid_t pid, int& status, rusage& usage) {
  return wait4(pid, &status, WNOHANG, &usage) == pid;
}

int exitCode(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse(argc, argv);

  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "startup_probe: cannot open the display\n");
    return 2;
  }
  fcntl(xcb_get_file_descriptor(c), F_SETFD, FD_CLOEXEC);
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
  const xcb_window_t root = screens.data->root;

  const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &xcb_damage_id);
  if (!damage || !damage->present) {
    std::fprintf(stderr, "startup_probe: the X server has no DAMAGE extension\n");
    return 2;
  }
  std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
  // A window manager holds SubstructureRedirect on the root; asking for it fails then. If it
  // succeeds, it is given up at once, or the program's windows would wait for the probe to map
  // them.
  const std::uint32_t redirectMask =
      XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_generic_error_t* redirectError = xcb_request_check(
      c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &redirectMask));
  const bool windowManager = redirectError != nullptr;
  std::free(redirectError);
  if (windowManager) {
    std::fprintf(stderr,
                 "startup_probe: a window manager is running; its frames and its painting can "
                 "make the figures differ from a bare X server's\n");
  }
  const std::uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  if (xcb_generic_error_t* error = xcb_request_check(
          c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &rootMask))) {
    std::fprintf(stderr, "startup_probe: cannot watch the root window (error %d)\n",
                 error->error_code);
    return 2;
  }
  const xcb_atom_t wmProtocols = atom(c, "WM_PROTOCOLS");
  const xcb_atom_t wmDeleteWindow = atom(c, "WM_DELETE_WINDOW");

  Probe probe(c, options, windowManager);
  probe.setDamageEventBase(damage->first_event);

  const double start = nowMs();
  probe.setStart(start);
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("startup_probe: fork");
    return 2;
  }
  if (pid == 0) {
    execvp(options.command[0], options.command);
    std::perror("startup_probe: exec");
    _exit(127);
  }
  probe.setProgram(pid);

  int status = 0;
  rusage usage{};
  bool exited = false;
  bool closeSent = false;
  double closeSentMs = 0;
  const int fd = xcb_get_file_descriptor(c);
  while (!exited) {
    pollfd wait{fd, POLLIN, 0};
    poll(&wait, 1, 5);
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
      probe.handle(event, nowMs());
      std::free(event);
    }
    if (xcb_connection_has_error(c)) {
      std::fprintf(stderr, "startup_probe: lost the display\n");
      kill(pid, SIGKILL);
    }
    exited = reaped(pid, status, usage);
    if (exited) break;

    const double now = nowMs();
    const TopLevel* shown = probe.shown();
    if (shown && !closeSent && now - shown->paintedMs >= options.settleMs) {
      // What a window manager sends when the close button is pressed; Qt quits on it.
      xcb_client_message_event_t close{};
      close.response_type = XCB_CLIENT_MESSAGE;
      close.format = 32;
      close.window = shown->window;
      close.type = wmProtocols;
      close.data.data32[0] = wmDeleteWindow;
      close.data.data32[1] = XCB_CURRENT_TIME;
      xcb_send_event(c, 0, shown->window, XCB_EVENT_MASK_NO_EVENT,
                     reinterpret_cast<const char*>(&close));
      xcb_flush(c);
      closeSent = true;
      closeSentMs = now;
    }
    if (closeSent && now - closeSentMs > 5000) kill(pid, SIGKILL);
    if (!closeSent && now - start > options.timeoutMs) {
      std::fprintf(stderr, "startup_probe: no window painted within %d ms\n", options.timeoutMs);
      kill(pid, SIGKILL);
    }
  }
  // Events read after the exit still count (a program may paint and exit at once).
  while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
    probe.handle(event, nowMs());
    std::free(event);
  }

  const TopLevel* shown = probe.shown();
  const auto since = [start](double at) { return at < 0 ? -1.0 : at - start; };
  std::printf("shown_ms=%.2f mapped_ms=%.2f exposed_ms=%.2f maxrss_kb=%ld exit=%d wm=%d\n",
              shown ? since(shown->paintedMs) : -1.0, shown ? since(shown->mappedMs) : -1.0,
              shown ? since(shown->exposedMs) : -1.0, usage.ru_maxrss, exitCode(status),
              windowManager ? 1 : 0);
  xcb_disconnect(c);
  return shown && exitCode(status) == 0 ? 0 : 1;
}
