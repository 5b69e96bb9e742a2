#include "ZkGeContext.h"

ZkGeTol ZkGeContext::gTol;
