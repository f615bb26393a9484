#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows the sheet "Optionen" with every report option page of `doc` in front in turn and
// hands it to `save` as "options-" plus the page's name: "options-tables", "options-holdings",
// "options-realized", "options-transactions", "options-movements", "options-reports",
// "options-gain-loss", "options-performance"; then the sheet of the holdings view with its
// placeholder list popped up ("options-holdings-placeholders"). Nothing is written into `doc`.
void ShootReportOptionPages(QWidget* parent, CFolari2Doc& doc,
                            const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
