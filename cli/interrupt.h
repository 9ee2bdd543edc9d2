// Ctrl-C handling. The signal handler only records the interrupt; the
// event pump of the run turns it into Cancel = true on the engine, as the
// desktop program's Cancel button does. A second Ctrl-C ends the program
// at once.
#ifndef TAVELLE_CLI_INTERRUPT_H_
#define TAVELLE_CLI_INTERRUPT_H_

namespace cli {

void InstallInterruptHandler();

// Whether Ctrl-C (SIGINT) was received since the handler was installed.
bool InterruptRequested();

}  // namespace cli

#endif  // TAVELLE_CLI_INTERRUPT_H_
