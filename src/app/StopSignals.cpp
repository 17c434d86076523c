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
    // The handler is one-shot: the default comes back, so a second signal ends the program.
    sa.sa_flags = handler == SIG_DFL ? 0 : SA_RESETHAND;
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
