#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows every dialog of the securities group on `doc` and hands each to `save` with a file
// name: the new-security dialog, the four tabs of an edited security with an internet
// address, the template list with its hint line, the VTPlus data and the security editor.
// The document stays unchanged: the templates are shown from a copy.
void ShootSecurityDialogs(QWidget* parent, CFolari2Doc& doc,
                          const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
