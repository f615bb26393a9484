#include "app/printing.h"
