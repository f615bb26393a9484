#pragma once

#include <QDialog>

#include "shell/html_view.h"

class QButtonGroup;
class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;

namespace pf {

// "HTML-Ansicht konfigurieren": the look of the holdings' HTML page, its file and the trend
// arrows' thresholds, over HtmlConfigForm. OK runs the form's check and stays open on a
// refusal; the caller takes Form() after OK.
class HtmlConfigDialog : public QDialog {
    Q_OBJECT

  public:
    explicit HtmlConfigDialog(const HtmlConfigForm& form, QWidget* parent = nullptr);

    HtmlConfigForm Form() const;
    void accept() override;

  private:
    void ChooseFile();
    void UpdateFileState();

    HtmlConfigForm initial_;
    QButtonGroup* securityData_ = nullptr;
    QCheckBox* buyPrice_ = nullptr;
    QCheckBox* targetStop_ = nullptr;
    QCheckBox* potentialRisk_ = nullptr;
    QCheckBox* dividends_ = nullptr;
    QLineEdit* fontSizes_ = nullptr;
    QCheckBox* userFile_ = nullptr;
    QLineEdit* fileName_ = nullptr;
    QPushButton* choose_ = nullptr;
    QDoubleSpinBox* unchangedFrom_ = nullptr;
    QDoubleSpinBox* unchangedTo_ = nullptr;
    QDoubleSpinBox* strongFall_ = nullptr;
    QDoubleSpinBox* strongRise_ = nullptr;
};

}  // namespace pf
