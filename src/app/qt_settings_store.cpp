#include "app/qt_settings_store.h"
