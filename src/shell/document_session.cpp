#include "shell/document_session.h"
