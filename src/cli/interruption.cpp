#include "cli/interruption.h"

#include <csignal>

namespace ventari {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int signal) {
  interrupted = 1;
  std::signal(signal, SIG_DFL);
}

}  // namespace

void CatchInterruptions() {
  interrupted = 0;
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
}

bool Interrupted() { return interrupted != 0; }

}  // namespace ventari
