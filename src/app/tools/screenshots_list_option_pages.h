#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows the sheets that the views "Wertpapiere", "Depotentwicklung", "Kurse" and
// "Depotanalyse" open and hands each page to `save`: "options-securities",
// "options-development", "options-quotes" (with "folgende Wertpapiere" chosen, so that the
// list of securities is enabled), "options-lists", "options-analysis"; then the development
// page with its placeholder list popped up ("options-development-placeholders"). Nothing is
// written into `doc`.
void ShootListOptionPages(QWidget* parent, CFolari2Doc& doc,
                          const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
