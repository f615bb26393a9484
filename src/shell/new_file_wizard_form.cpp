#include "shell/new_file_wizard_form.h"
