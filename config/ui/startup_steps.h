// The start-up's steps, timed for the start-up benchmark's table. The
// program notes nothing (startup_steps.cpp); the benchmark's own copy of it,
// tvrcfg_steps.exe, links the same objects with a recording version of these
// two (bench/config/startup_steps_timed.cpp), which notes the moment each
// step ends and writes the notes, once, to the standard output its starter
// gave it.
#pragma once

void MarkStartupStep(const char* step);
void ReportStartupSteps();
