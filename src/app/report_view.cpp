#include "app/report_view.h"
