#include "app/dialogs/new_file_wizard.h"
