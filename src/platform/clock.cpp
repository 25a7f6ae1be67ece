#include "platform/clock.h"

#include <cerrno>
#include <ctime>

namespace {

constexpr int64_t NS_PER_SECOND = 1000000000;
constexpr int64_t NS_PER_CLOCK_UNIT = 100000;  // 0.1 ms

int64_t monotonic_ns() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * NS_PER_SECOND + ts.tv_nsec;
}

}  // namespace

int64_t (*clock_source)() = monotonic_clock;
void (*retrace_wait)(int hz) = wait_for_refresh_boundary;

int64_t monotonic_clock() { return monotonic_ns() / NS_PER_CLOCK_UNIT; }

void wait_for_refresh_boundary(int hz) {
  if (hz <= 0) return;
  int64_t period = NS_PER_SECOND / hz;
  int64_t next = (monotonic_ns() / period + 1) * period;
  timespec until;
  until.tv_sec = static_cast<time_t>(next / NS_PER_SECOND);
  until.tv_nsec = static_cast<long>(next % NS_PER_SECOND);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}
