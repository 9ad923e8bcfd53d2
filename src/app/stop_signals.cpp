// Signals that ask the game to stop: a flag set by the handler, read between frames.
#include "app/stop_signals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void noteStop(int signal) {
    stopSignal = signal;
}

void catchSignal(int signal) {
    struct sigaction action {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

} // namespace

void catchStopSignals(bool interrupts) {
    stopSignal = 0;
    catchSignal(SIGHUP);
    if (!interrupts) return;
    catchSignal(SIGINT);
    catchSignal(SIGTERM);
}

bool stopRequested() {
    return stopSignal != 0;
}
