// The shell-extension calls the configuration tool makes, in one header.
#pragma once
#include "platform/menubar.h"
#include "platform/sipprefs.h"
