#include "shell/recent_files.h"
