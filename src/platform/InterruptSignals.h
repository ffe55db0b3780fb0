#pragma once

// SIGINT and SIGTERM for a program that must stop its work and keep what it
// has: the signals only note that they came, and the program's own loop looks
// at the note between its steps. A second signal of the same kind ends the
// process at once, as a user pressing Ctrl+C twice expects.
namespace qx::platform {

class InterruptSignals {
public:
    enum class Kind { None, Interrupt, Terminate };

    // Installs the handlers for the rest of the process.
    static void install();
    // The first signal that came since install; None while none came.
    static Kind received();
    // The exit status a shell expects of a process that a signal of that
    // kind ended (128 + its number): 130 for Ctrl+C, 143 for SIGTERM.
    static int exitCode(Kind kind);
};

} // namespace qx::platform
