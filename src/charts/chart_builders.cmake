# The builders of the chart and the diagrams from the document.
target_sources(pf_charts PRIVATE chart_builders.cpp)
