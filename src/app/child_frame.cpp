#include "app/child_frame.h"
