# Tests of the Qt chart and diagram option pages and dialog-bar controls.
