#include "shell/depot_data_form.h"
