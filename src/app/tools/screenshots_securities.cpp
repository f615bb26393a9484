#include "app/tools/screenshots_securities.h"

#include <QTabWidget>

#include "app/dialogs/security_dialog.h"
#include "app/dialogs/security_editor_dialog.h"
#include "app/dialogs/use_template_dialog.h"
#include "app/dialogs/vtplus_data_dialog.h"
#include "engine/security_form.h"
#include "model/document.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

void ShootSecurityDialogs(QWidget* parent, CFolari2Doc& doc,
                          const std::function<void(QWidget&, const QString& name)>& save) {
    {
        SecurityDialog dialog(doc, SecurityForm::New(doc), parent);
        dialog.show();
        save(dialog, u"security-new"_s);
    }

    // The first security, or a made-up one in a document without securities; the form is
    // never applied.
    SecurityForm form = doc.securities.empty() ? SecurityForm::New(doc)
                                               : SecurityForm::ForEdit(doc, doc.securities[0].id);
    if (form.id < 0) {
        form.id = 0;
        form.name = "Beispiel AG";
        form.wkn = "123456";
        form.isin = "DE0001234563";
    }
    form.internetImport = true;
    form.internetUrl = "http://kurse.example/aktie/" + form.wkn + ".htm";
    form.internetTextBeforeQuote = "Kurs:";
    form.vtplus.import = true;
    form.vtplus.page = "512";
    form.vtplus.subpage = "1";
    form.vtplus.quotePosition = "20/5/27/5";
    form.vtplus.controlText = form.name.substr(0, 12);
    form.vtplus.controlPosition = "0/5/11/5";
    {
        SecurityDialog dialog(doc, form, parent);
        auto* tabs = dialog.findChild<QTabWidget*>(u"tabs"_s);
        const QString names[] = {u"security-edit-general"_s, u"security-edit-figures"_s,
                                 u"security-edit-notes"_s, u"security-edit-import"_s};
        dialog.show();
        for (int i = 0; i < tabs->count() && i < 4; ++i) {
            tabs->setCurrentIndex(i);
            save(dialog, names[i]);
        }
    }

    {
        // Templates on a copy, without an edit: no view of `doc` hears of them. The second
        // needs the short code, which the security lacks, and gives the hint line.
        CFolari2Doc copy = doc;
        copy.InternetTemplates() = {
            "http://kurse.example/aktie/***WKN***.htm*******Kurs:*******K",
            "http://boerse.example/suche?q=***BEZ***&x=***KRZ*********aktuell*******P",
            "http://quotes.example/***WKN***/last*******Last*******P",
        };
        TemplateSource source = form.Template();
        source.shortCode.clear();
        UseTemplateDialog dialog(copy, source, parent);
        dialog.show();
        save(dialog, u"security-use-template"_s);
    }

    {
        VtplusDataDialog dialog(form.vtplus, parent);
        dialog.show();
        save(dialog, u"security-vtplus-data"_s);
    }

    {
        SecurityEditorDialog dialog(doc, parent);
        dialog.show();
        save(dialog, u"security-editor"_s);
    }
}

}  // namespace pf
