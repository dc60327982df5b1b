// What the endurance and performance programs share with the tests: the
// bounded message pump, scratch folders, the build's bin folder and the clock.
#pragma once
#include "support/files.h"
#include "support/pump.h"
#include "support/registry.h"
#include "support/timing.h"

using namespace testsupport;
