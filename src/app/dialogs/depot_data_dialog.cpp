#include "app/dialogs/depot_data_dialog.h"
