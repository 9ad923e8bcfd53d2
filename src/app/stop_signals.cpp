// Signals that ask the game to stop: a flag set by the handler, read between frames.
#include "app/stop_signals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t stopSignal = 0;

// The first signal asks for a stop after the frame in progress; a second one, while a write
// still waits on a reader that has stopped reading, ends the run at once as the signal does.
void noteStop(int signal) {
    if (stopSignal != 0) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    stopSignal = signal;
}

// SA_RESTART: a write waiting on a full pipe or a slow disk goes on after the signal instead of
// failing with EINTR, so what was already on its way is kept.
void catchSignal(int signal) {
    struct sigaction action {};
    action.sa_handler = noteStop;
    action.sa_flags = SA_RESTART;
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
