// The find, replace and edit commands in the running editor (offscreen Qt).
#include "EditorAppFixture.h"
