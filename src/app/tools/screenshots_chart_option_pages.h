#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows the sheets that the chart and the diagrams open and hands each page to `save`:
// "options-chart", "options-diagram", "options-diagrams-look"; then the colour dialog of the
// chart line ("options-chart-colour") and the position choice of the positions diagram with
// the first two lots ticked ("position-choice"). Nothing is written into `doc`.
void ShootChartOptionPages(QWidget* parent, CFolari2Doc& doc,
                           const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
