#include "app/document_handle.h"
