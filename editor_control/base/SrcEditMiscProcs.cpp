#include "SrcEditMiscProcs.h"
