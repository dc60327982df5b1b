// Entries of page_hooks.h whose module is not written yet: each does nothing,
// so the item runs with the pages it has. A module that defines an entry
// removes it from here. Every page module exists now: nothing is pending.
#include "item/host/page_hooks.h"
