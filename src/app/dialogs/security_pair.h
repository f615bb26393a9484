#pragma once

#include <QObject>
#include <cstdint>

class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace pf {

class CFolari2Doc;

// The group "Wertpapier" of the quote file dialogs: "&Bezeichnung" and "&WKN" list every
// security in document order, each item carrying the security's id; choosing in one list
// chooses the same security in the other, so both are one choice. Widgets "name" and "wkn".
class SecurityPair : public QObject {
    Q_OBJECT

  public:
    SecurityPair(const CFolari2Doc& doc, QWidget* parent);

    QGroupBox* Group() const { return group_; }
    QComboBox* Names() const { return names_; }
    QComboBox* Wkns() const { return wkns_; }

    // The chosen security's id; -1 when either list has no choice.
    int32_t Chosen() const;
    // Chooses security `id` in both lists (none for an id not listed).
    void Choose(int32_t id);

  signals:
    void chosen(int32_t id);

  private:
    void Follow(QComboBox* from, QComboBox* to);

    QGroupBox* group_ = nullptr;
    QComboBox* names_ = nullptr;
    QComboBox* wkns_ = nullptr;
};

}  // namespace pf
