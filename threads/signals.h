// The signals a process is sent from outside (SIGINT, SIGTERM, SIGHUP, ...)
// go to its first thread, whose handlers and blocked windows (for example
// while a file is renamed into place) then hold for the whole process.
#pragma once

namespace quadmine {

// Blocks in the calling thread every signal but those that a fault of the
// thread itself raises (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGABRT,
// SIGSYS), so that the process's other signals are delivered elsewhere.
void leave_signals_to_other_threads();

}  // namespace quadmine
