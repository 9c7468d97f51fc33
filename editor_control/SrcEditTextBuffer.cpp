#include "SrcEditTextBuffer.h"
