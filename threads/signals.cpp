#include "threads/signals.h"

#include <pthread.h>
#include <signal.h>

#include <initializer_list>

namespace quadmine {

void leave_signals_to_other_threads() {
  sigset_t set;
  sigfillset(&set);
  for (const int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGABRT, SIGSYS}) {
    sigdelset(&set, fault);
  }
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

}  // namespace quadmine
