#pragma once

// The root tabs are part of the theory layer, so that layers that do not know the pages (the
// name search) map a root to its tab as the window does.
#include "theory/RootTabs.h"
