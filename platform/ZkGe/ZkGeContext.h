#pragma once

#include "ZkGeTol.h"

// Process-wide kernel settings; every comparison defaults to gTol.
struct ZkGeContext {
    static ZkGeTol gTol;
};
