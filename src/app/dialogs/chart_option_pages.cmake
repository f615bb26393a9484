# The Qt option pages of the charts and diagrams and the position choice of the positions diagram.
