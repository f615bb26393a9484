#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows the quote file dialogs and "Kurse aus Text" and hands each to `save`: the import
// with a security and a file chosen, its result for the security's own exported history,
// the export with options set, the text dialog over a short quote page, and its format
// dialog. They work on a copy of `doc` and a profile in memory.
void ShootQuoteFileDialogs(QWidget* parent, const CFolari2Doc& doc,
                           const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
