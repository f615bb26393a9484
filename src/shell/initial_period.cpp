#include "shell/initial_period.h"
