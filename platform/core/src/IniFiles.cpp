#include "platform/IniFiles.h"
