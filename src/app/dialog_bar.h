#pragma once

#include <QWidget>

#include "model/date.h"
#include "shell/dialog_bar_rules.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QToolButton;

namespace pf {

class CFolari2Doc;

// The frame's dialog bar "Ansicht": the view selector, the period's date pickers and the
// controls of the active child window's view. It shows a window's state and reports what
// the user changes; the main window stores the change in that window.
class DialogBar : public QWidget {
    Q_OBJECT
  public:
    explicit DialogBar(QWidget* parent = nullptr);

    // Shows the state of the active window (nullptr: no window; everything but the selector
    // is disabled). `doc` fills the chart's security list with the securities that may have a
    // chart (ChartSecurityIds); a chart security it does not list shows no choice. Emits
    // nothing.
    void ShowState(const ChildViewState* state, const CFolari2Doc* doc);

    QComboBox* ViewSelector() const { return viewSelector_; }

  signals:
    void viewChosen(int viewId);
    void firstDateChanged(CQRNDatum date);
    void secondDateChanged(CQRNDatum date);
    void developmentMeasureChosen(int measure);
    void positionMeasureChosen(int measure);
    void choosePositionsRequested();
    void chartSecurityChosen(int securityId);
    void chartButtonClicked();
    void filterToggled(bool on);
    void filterSettingsRequested();
    void simulatedSaleToggled(bool on);
    void htmlViewRequested();

  private:
    QComboBox* viewSelector_;
    QDateEdit* firstDate_;
    QLabel* untilLabel_;
    QDateEdit* secondDate_;
    QComboBox* developmentMeasure_;
    QComboBox* positionMeasure_;
    QPushButton* choosePositions_;
    QLabel* securityLabel_;
    QComboBox* security_;
    QToolButton* chartButton_;
    QToolButton* filterSwitch_;
    QToolButton* filterSettings_;
    QToolButton* simulatedSale_;
    QPushButton* htmlView_;
};

}  // namespace pf
