#include "StopSignals.h"

#include <csignal>

namespace {
// A signal handler can only reach static storage.
volatile std::sig_atomic_t arrived = 0;

void note(int signal) {
    arrived = signal;
}

void handle(int signal, void (*handler)(int)) {
    struct sigaction sa {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    // The handler stays: a second signal while the video is being finished would otherwise end
    // the program and lose the whole file (timeout(1) signals the child, then its group).
    sa.sa_flags = SA_RESTART;
    sigaction(signal, &sa, nullptr);
}
} // namespace

StopSignals::StopSignals() {
    arrived = 0;
    handle(SIGINT, note);
    handle(SIGTERM, note);
}

StopSignals::~StopSignals() {
    handle(SIGINT, SIG_DFL);
    handle(SIGTERM, SIG_DFL);
}

int StopSignals::caught() const {
    return arrived;
}

const char* StopSignals::name(int signal) {
    return signal == SIGINT ? "Ctrl+C (SIGINT)" : "SIGTERM";
}
