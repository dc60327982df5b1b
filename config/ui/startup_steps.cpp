// The program notes no start-up steps. Each function stands alone in this
// file, so a copy of the program that links its own versions before the
// tool's library never takes these.
#include "config/ui/startup_steps.h"

void MarkStartupStep(const char*) {}

void ReportStartupSteps() {}
