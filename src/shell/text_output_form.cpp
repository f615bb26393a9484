#include "shell/text_output_form.h"

namespace pf {

const char* TextOutputForm::Title(TextOutputTarget target) {
    return target == TextOutputTarget::TextFile ? kTextFileOutputTitle : kClipboardOutputTitle;
}

MaybeMessage TextOutputForm::Check() const {
    if (target != TextOutputTarget::TextFile) return std::nullopt;
    if (fileName.find_first_not_of(" \t") != std::string::npos) return std::nullopt;
    return Message{kTextFileOutputTitle, "Bitte geben Sie einen Dateinamen ein!",
                   MessageIcon::Information, kFileNameField};
}

}  // namespace pf
