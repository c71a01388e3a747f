// The codec glue lives with the interpreter's windows; the editor uses it too.
#pragma once
#include "interp/gui/qt_text.h"
