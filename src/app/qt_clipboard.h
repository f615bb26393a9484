#pragma once

#include "platform/clipboard.h"

namespace pf {

// The desktop's clipboard (plain text).
class QtClipboard final : public Clipboard {
  public:
    bool SetText(const std::string& utf8) override;
};

}  // namespace pf
