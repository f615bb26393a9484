#include "app/qt_clipboard.h"
