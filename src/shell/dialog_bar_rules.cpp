#include "shell/dialog_bar_rules.h"
