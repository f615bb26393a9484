# Tests of the chart and diagram option pages.
