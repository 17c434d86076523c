#pragma once
// Ctrl+C (SIGINT) and SIGTERM ask a command-line render to stop instead of ending the program
// at once, so that a video file is completed and plays. Signals after the first change nothing:
// what was written is always kept.

class StopSignals {
  public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal that arrived, 0 for none.
    int caught() const;
    // "Ctrl+C (SIGINT)" or "SIGTERM".
    static const char* name(int signal);
};
