#include "app/dialog_bar.h"
