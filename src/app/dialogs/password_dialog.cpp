#include "app/dialogs/password_dialog.h"
