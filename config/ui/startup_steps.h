// The start-up's steps, timed for the start-up benchmark's table. A build
// with TVRCFG_STARTUP_STEPS (the benchmark's own copy of the program) notes
// the moment each step ends and writes the notes, once, to the standard
// output its starter gave it; every other build notes nothing.
#pragma once

#ifdef TVRCFG_STARTUP_STEPS
void MarkStartupStep(const char* step);
void ReportStartupSteps();
#else
inline void MarkStartupStep(const char*) {}
inline void ReportStartupSteps() {}
#endif
