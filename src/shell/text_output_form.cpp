#include "shell/text_output_form.h"
