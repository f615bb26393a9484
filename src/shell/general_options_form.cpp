#include "shell/general_options_form.h"
