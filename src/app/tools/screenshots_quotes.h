#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows every dialog of the quotes group and hands each to `save` with a file name: quote
// entry on the first of two pages with some prices, rate entry with a US-dollar rate, and
// quote deletion with the period rule chosen. The dialogs work on a copy of `doc` filled up
// with securities, quotes and a dollar rate where it lacks them, so `doc` stays unchanged.
void ShootQuoteDialogs(QWidget* parent, CFolari2Doc& doc,
                       const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
