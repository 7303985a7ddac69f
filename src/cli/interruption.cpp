#include "cli/interruption.h"

#include <QtGlobal>
#include <csignal>

#ifdef Q_OS_UNIX
#include <ctime>
#else
#include <chrono>
#endif

namespace ventari {
namespace {

StopRequests requests;

void OnStopRequest(int signal) {
#ifdef Q_OS_UNIX
  // clock_gettime is one of the calls a signal handler may make.
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  requests.Note(signal, std::int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1'000'000);
#else
  // The handler is reset before it runs here: it puts itself back for the next request.
  std::signal(signal, OnStopRequest);
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  requests.Note(signal, std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
#endif
}

void Catch(int signal) {
#ifdef Q_OS_UNIX
  struct sigaction action {};
  action.sa_handler = OnStopRequest;
  // One request is noted at a time, and the handler stays for every request that follows.
  sigemptyset(&action.sa_mask);
  sigaddset(&action.sa_mask, SIGINT);
  sigaddset(&action.sa_mask, SIGTERM);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
#else
  std::signal(signal, OnStopRequest);
#endif
}

}  // namespace

void StopRequests::Note(int signal, std::int64_t nowMs) {
  if (!stop_.load()) {
    firstAtMs_ = nowMs;
    stop_ = true;
    return;
  }
  if (signal == SIGINT && nowMs - firstAtMs_.load() >= kCutShortAfterMs) cutShort_ = true;
}

void StopRequests::Clear() {
  stop_ = false;
  cutShort_ = false;
}

void CatchInterruptions() {
  requests.Clear();
  Catch(SIGINT);
  Catch(SIGTERM);
}

bool Interrupted() { return requests.Stop(); }

bool StopCutShort() { return requests.CutShort(); }

}  // namespace ventari
