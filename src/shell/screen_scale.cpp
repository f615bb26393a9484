#include "shell/screen_scale.h"
