#include "shell/settings_store.h"
