#include "shell/window_settings.h"
