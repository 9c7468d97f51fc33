#include "platform/Colors.h"
