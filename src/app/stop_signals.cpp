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

void catchStopSignals() {
    stopSignal = 0;
    catchSignal(SIGHUP);
    catchSignal(SIGINT);
    catchSignal(SIGTERM);
}

bool stopRequested() {
    return stopSignal != 0;
}

int stopStatus() {
    return stopSignal != 0 ? 128 + stopSignal : 0;
}
