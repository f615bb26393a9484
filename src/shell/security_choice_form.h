#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pf {

class CFolari2Doc;

// The choice of the securities that the filter switch of the dialog bar keeps (realized
// gains, transactions, returns): every security of the document with a tick.
struct SecurityChoiceForm {
    struct Row {
        int32_t id;
        std::string name;
        std::string wkn;
        bool checked;
    };
    std::vector<Row> rows;  // in the document's order

    static SecurityChoiceForm FromDocument(const CFolari2Doc& doc);
    // Stores the ticked ids in the document's selection; returns whether it changed (the
    // caller then marks the document modified and updates its views).
    bool ApplyTo(CFolari2Doc& doc) const;
};

}  // namespace pf
