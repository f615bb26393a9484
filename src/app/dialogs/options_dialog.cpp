#include "app/dialogs/options_dialog.h"
