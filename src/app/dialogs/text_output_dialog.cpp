#include "app/dialogs/text_output_dialog.h"
