#include "app/application.h"
