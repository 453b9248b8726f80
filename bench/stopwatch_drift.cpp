// How true the task stopwatch reads over a long run of the real window.
//
//   stopwatch_drift [--seconds N] [--stalls] [--stall AT_S]... [--stall-ms MS] [--csv FILE]
//
// Creates Form1 (offscreen unless QT_QPA_PLATFORM says otherwise), shows it, presses Start and
// lets the window's own Timer1 run for N seconds (default 600). The stopwatch reading is the task
// time the pupil sees, TaskMin * 60 + TaskSec; it is compared with the time elapsed since Start
// on std::chrono::steady_clock:
//  - at every tick, right after the window has taken it: elapsed - reading is how late that tick
//    came (tick n is due n seconds after Start);
//  - once a second from the steady clock, half-way between two due ticks, where a true reading
//    is half a second behind elapsed time;
//  - whenever the seconds label (Label14) is painted: what is on screen at that moment.
// A correct stopwatch keeps 0 <= elapsed - reading < 1 s at every observation.
//
// --stall AT_S blocks the event loop for --stall-ms (default 3500) at AT_S seconds after Start,
// as a slow handler or a frozen machine would; --stalls puts two such stalls at a third and two
// thirds of the run. Nothing is painted during a stall. When the loop is free again, the ticks
// that fell due come in one burst and the window repaints after it. Counted apart, not in the
// target: the ticks inside a burst but its last (overwritten before any paint) and samples taken
// in the first 50 ms after a stall (the loop may not have dispatched the timer yet); every paint
// counts. After each stall the reading at the release, the burst and the first paint are printed.
// --csv writes every observation.
#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "window/form1.h"
#include "window/second_timer.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  double seconds = 600;
  std::vector<double> stallsAt;
  bool twoStalls = false;
  int stallMs = 3500;
  std::string csv;
};

[[noreturn]] void usage() {
  std::fprintf(stderr,
               "usage: stopwatch_drift [--seconds N] [--stalls] [--stall AT_S]... "
               "[--stall-ms MS] [--csv FILE]\n");
  std::exit(2);
}

Options parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--seconds" && hasValue) {
      options.seconds = std::atof(argv[++i]);
    } else if (arg == "--stall" && hasValue) {
      options.stallsAt.push_back(std::atof(argv[++i]));
    } else if (arg == "--stall-ms" && hasValue) {
      options.stallMs = std::atoi(argv[++i]);
    } else if (arg == "--stalls") {
      options.twoStalls = true;
    } else if (arg == "--csv" && hasValue) {
      options.csv = argv[++i];
    } else {
      usage();
    }
  }
  if (options.seconds <= 0) usage();
  if (options.twoStalls) {
    // Off the whole and half seconds, so a stall neither starts on a tick nor on a sample.
    options.stallsAt.push_back(std::floor(options.seconds / 3) + 0.3);
    options.stallsAt.push_back(std::floor(2 * options.seconds / 3) + 0.3);
  }
  std::sort(options.stallsAt.begin(), options.stallsAt.end());
  // Each stall must be over, with a second to spare, before the next one and before the end.
  const double stall = options.stallMs / 1e3;
  for (std::size_t i = 0; i < options.stallsAt.size(); ++i) {
    const double next = i + 1 < options.stallsAt.size() ? options.stallsAt[i + 1] : options.seconds;
    if (options.stallsAt[i] < 0 || options.stallsAt[i] + stall + 1 > next) {
      std::fprintf(stderr, "stopwatch_drift: the stalls do not fit into %.0f s\n", options.seconds);
      std::exit(2);
    }
  }
  return options;
}

enum class Kind {
  Tick,       // the window has just taken a tick
  BurstTick,  // a tick paid out after a stall, followed at once by another
  Sample,     // once a second on the steady clock
  Paint,      // the seconds label is being painted
  Stale,      // a sample just after a stall, maybe before the timer's wake-up was dispatched
  Release,    // the moment a stall ends, before the event loop runs again
};

const char* name(Kind kind) {
  switch (kind) {
    case Kind::Tick:
      return "tick";
    case Kind::BurstTick:
      return "burst-tick";
    case Kind::Sample:
      return "sample";
    case Kind::Paint:
      return "paint";
    case Kind::Stale:
      return "stale";
    case Kind::Release:
      return "release";
  }
  return "?";
}

struct Observation {
  Kind kind;
  double elapsed;   // seconds since Start, steady clock
  long reading;     // seconds on the stopwatch
  double lateness;  // ticks: elapsed - due time; samples: elapsed - sampling target
};

class DriftRun : public QObject {
 public:
  DriftRun(Form1& window, const Options& options) : window_(window), options_(options) {
    connect(&window_.timer1(), &SecondTimer::tick, this, &DriftRun::onTick);
    sampler_.setSingleShot(true);
    sampler_.setTimerType(Qt::PreciseTimer);
    connect(&sampler_, &QTimer::timeout, this, &DriftRun::onSample);
    secondsLabel_ = window_.findChild<QWidget*>(QStringLiteral("Label14"));
    secondsLabel_->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == secondsLabel_ && event->type() == QEvent::Paint && started_) {
      const double elapsed = seconds(Clock::now());
      observe(Kind::Paint, elapsed, 0);
      if (afterStall_) {
        afterStall_ = false;
        const Observation& o = observations_.back();
        std::printf(
            "  first paint after it: elapsed %.3f s, reading %ld s, elapsed - reading "
            "%.3f s\n",
            o.elapsed, o.reading, o.elapsed - static_cast<double>(o.reading));
      }
    }
    return false;
  }

  void start() {
    auto* startButton = window_.findChild<QPushButton*>(QStringLiteral("Command2"));
    start_ = Clock::now();
    started_ = true;
    startButton->click();
    std::printf("Start pressed; the click took %.3f ms\n", seconds(Clock::now()) * 1e3);
    scheduleSample();
    for (double at : options_.stallsAt) {
      QTimer::singleShot(msUntil(at), Qt::PreciseTimer, this, &DriftRun::stall);
    }
    // The last look falls half-way between ticks too.
    QTimer::singleShot(msUntil(options_.seconds + 0.5), Qt::PreciseTimer, this, &DriftRun::finish);
  }

  const std::vector<Observation>& observations() const { return observations_; }

 private:
  double seconds(Clock::time_point at) const {
    return std::chrono::duration<double>(at - start_).count();
  }

  int msUntil(double secondsAfterStart) const {
    return std::max(
        0, static_cast<int>(std::lround((secondsAfterStart - seconds(Clock::now())) * 1e3)));
  }

  // The stopwatch as the pupil sees it; it turns over after 59:59, so whole hours are counted
  // here.
  long reading() {
    const drill::DrillState& state = window_.drillState();
    const long shown = state.TaskMin * 60L + state.TaskSec;
    if (shown < lastShown_) hours_ += 1;
    lastShown_ = shown;
    return hours_ * 3600 + shown;
  }

  // A sample in the first 50 ms after a stall may come before the loop has dispatched the
  // timer's overdue wake-up; it is counted apart. Ticks and paints always count.
  Kind sampleKind(double elapsed) const {
    return releasedAt_ >= 0 && elapsed - releasedAt_ < 0.050 ? Kind::Stale : Kind::Sample;
  }

  void onTick() {
    ++ticks_;
    const double elapsed = seconds(Clock::now());
    // If the next tick is due already, the timer is paying out ticks a stall held back and
    // this reading is overwritten before the window is next painted.
    const Kind kind = elapsed >= ticks_ + 1 ? Kind::BurstTick : Kind::Tick;
    observe(kind, elapsed, elapsed - ticks_);
    if (kind == Kind::BurstTick && !inBurst_) {
      inBurst_ = true;
      std::printf("  burst: tick %ld taken at %.3f s", ticks_, elapsed);
    } else if (kind == Kind::Tick && inBurst_) {
      inBurst_ = false;
      std::printf(" .. tick %ld at %.3f s, reading %ld s\n", ticks_, elapsed,
                  observations_.back().reading);
    }
  }

  void scheduleSample() {
    // Half-way between due ticks; samples the loop could not take in time are skipped.
    const double now = seconds(Clock::now());
    while (nextSample_ < now) nextSample_ += 1.0;
    if (nextSample_ < options_.seconds + 0.5) sampler_.start(msUntil(nextSample_));
  }

  void onSample() {
    const double elapsed = seconds(Clock::now());
    observe(sampleKind(elapsed), elapsed, elapsed - nextSample_);
    if (nextSample_ > 1 && static_cast<long>(nextSample_) % 60 == 0) {
      const Observation& o = observations_.back();
      std::printf("%7.3f s: reading %ld s, elapsed - reading %.3f s\n", o.elapsed, o.reading,
                  o.elapsed - static_cast<double>(o.reading));
    }
    nextSample_ += 1.0;
    scheduleSample();
  }

  void stall() {
    const double began = seconds(Clock::now());
    const long readingBefore = reading();
    std::this_thread::sleep_for(std::chrono::milliseconds(options_.stallMs));
    const double ended = seconds(Clock::now());
    observe(Kind::Release, ended, 0);
    releasedAt_ = ended;
    std::printf(
        "stall %.3f s .. %.3f s: reading %ld s when the loop froze, %ld s when it was "
        "released\n",
        began, ended, readingBefore, observations_.back().reading);
    afterStall_ = true;
  }

  void observe(Kind kind, double elapsed, double lateness) {
    observations_.push_back({kind, elapsed, reading(), lateness});
  }

  void finish() {
    const double elapsed = seconds(Clock::now());
    if (sampleKind(elapsed) == Kind::Stale) {  // the run ended in a stall: look once it is over
      QTimer::singleShot(100, Qt::PreciseTimer, this, &DriftRun::finish);
      return;
    }
    observe(sampleKind(elapsed), elapsed, elapsed - (options_.seconds + 0.5));
    QApplication::quit();
  }

  Form1& window_;
  QWidget* secondsLabel_ = nullptr;
  const Options& options_;
  bool started_ = false;
  bool inBurst_ = false;
  bool afterStall_ = false;
  Clock::time_point start_;
  QTimer sampler_;
  double nextSample_ = 0.5;
  double releasedAt_ = -1;
  long ticks_ = 0;
  long lastShown_ = 0;
  long hours_ = 0;
  std::vector<Observation> observations_;
};

bool inStall(double elapsed, const Options& options) {
  const double stall = options.stallMs / 1e3;
  return std::any_of(options.stallsAt.begin(), options.stallsAt.end(),
                     [&](double at) { return elapsed >= at && elapsed < at + stall + 0.1; });
}

void report(const std::vector<Observation>& observations, const Options& options) {
  double maxOff = 0, maxOffAt = 0, minOff = 1e9, maxStale = 0;
  double maxTickLate = 0, sumTickLate = 0, maxSampleLate = 0;
  double maxCalmLate = 0, sumCalmLate = 0;  // ticks due outside stalls
  long ticks = 0, burstTicks = 0, calmTicks = 0, lateTicks = 0, lateTicksOutsideStalls = 0;
  long samples = 0, paints = 0, stale = 0;
  long wrongSamples = 0;  // reading other than the whole seconds elapsed
  for (const Observation& o : observations) {
    const double off = o.elapsed - static_cast<double>(o.reading);
    switch (o.kind) {
      case Kind::Tick:
      case Kind::BurstTick:
        ++ticks;
        if (o.kind == Kind::BurstTick) ++burstTicks;
        maxTickLate = std::max(maxTickLate, o.lateness);
        sumTickLate += o.lateness;
        if (!inStall(o.elapsed - o.lateness, options)) {
          ++calmTicks;
          maxCalmLate = std::max(maxCalmLate, o.lateness);
          sumCalmLate += o.lateness;
        }
        if (o.lateness > 0.050) {
          ++lateTicks;
          if (!inStall(o.elapsed - o.lateness, options)) ++lateTicksOutsideStalls;
        }
        break;
      case Kind::Sample:
        ++samples;
        maxSampleLate = std::max(maxSampleLate, o.lateness);
        if (o.reading != static_cast<long>(std::floor(o.elapsed))) ++wrongSamples;
        break;
      case Kind::Paint:
        ++paints;
        break;
      case Kind::Stale:
      case Kind::Release:
        ++stale;
        maxStale = std::max(maxStale, std::fabs(off));
        break;
    }
    // What the window held when it could show anything; inside a burst the reading is
    // overwritten before any paint.
    if (o.kind == Kind::Tick || o.kind == Kind::Sample || o.kind == Kind::Paint) {
      if (std::fabs(off) > std::fabs(maxOff)) {
        maxOff = off;
        maxOffAt = o.elapsed;
      }
      minOff = std::min(minOff, off);
    }
  }
  const auto lastTick = std::find_if(observations.rbegin(), observations.rend(),
                                     [](const Observation& o) { return o.kind == Kind::Tick; });
  const Observation& last = observations.back();
  std::printf("run: %.3f s, %zu stall(s) of %d ms\n", last.elapsed, options.stallsAt.size(),
              options.stallMs);
  std::printf("ticks: %ld (%ld inside bursts after stalls); lateness mean %.3f ms, max %.3f ms\n",
              ticks, burstTicks, ticks ? sumTickLate / ticks * 1e3 : 0.0, maxTickLate * 1e3);
  std::printf("ticks due outside stalls: %ld; lateness mean %.3f ms, max %.3f ms\n", calmTicks,
              calmTicks ? sumCalmLate / calmTicks * 1e3 : 0.0, maxCalmLate * 1e3);
  std::printf("ticks late by more than 50 ms: %ld (%ld of them due outside stalls)\n", lateTicks,
              lateTicksOutsideStalls);
  std::printf(
      "samples: %ld, %ld with a reading other than the whole seconds elapsed; "
      "a sample late by at most %.3f ms\n",
      samples, wrongSamples, maxSampleLate * 1e3);
  std::printf("paints of the seconds label: %ld\n", paints);
  std::printf(
      "elapsed - reading over ticks, samples and paints: min %.3f s, max |.| %.3f s "
      "(at %.3f s)\n",
      minOff, std::fabs(maxOff), maxOffAt);
  if (stale > 0) {
    std::printf(
        "looks at a stall's release and samples in the 50 ms after it: %ld, "
        "max |elapsed - reading| %.3f s\n",
        stale, maxStale);
  }
  if (lastTick != observations.rend()) {
    std::printf("last tick: due %.0f s, taken at %.3f s, reading %ld s\n",
                lastTick->elapsed - lastTick->lateness, lastTick->elapsed, lastTick->reading);
  }
  std::printf("at the end: elapsed %.3f s, reading %ld s, elapsed - reading %.3f s\n", last.elapsed,
              last.reading, last.elapsed - static_cast<double>(last.reading));
  const bool met = std::fabs(maxOff) < 1.0 && minOff >= 0;
  std::printf("target 0 <= elapsed - reading < 1 s at every tick, sample and paint: %s\n",
              met ? "met" : "MISSED");
}

void writeCsv(const std::vector<Observation>& observations, const std::string& path) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (!out) {
    std::perror(path.c_str());
    return;
  }
  std::fprintf(out, "kind,elapsed_s,reading_s,elapsed_minus_reading_s,lateness_ms\n");
  for (const Observation& o : observations) {
    std::fprintf(out, "%s,%.6f,%ld,%.6f,%.3f\n", name(o.kind), o.elapsed, o.reading,
                 o.elapsed - static_cast<double>(o.reading), o.lateness * 1e3);
  }
  std::fclose(out);
}

}  // namespace

int main(int argc, char* argv[]) {
  const Options options = parse(argc, argv);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // progress shows in a log as it happens
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  Form1 window;
  window.show();
  DriftRun run(window, options);
  QTimer::singleShot(0, &run, &DriftRun::start);
  application.exec();
  std::fflush(stdout);
  report(run.observations(), options);
  if (!options.csv.empty()) writeCsv(run.observations(), options.csv);
  return 0;
}
