#pragma once

// The fixture of the walkthrough tests: a main window on a document of the test's own, whose
// menu commands open their dialogs as a user would open them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <functional>
#include <memory>

#include "app/document_handle.h"
#include "app/main_window.h"
#include "dialog_test.h"
#include "model/archive/document_file.h"
#include "model/document.h"
#include "platform/clipboard.h"
#include "platform/settings_store.h"
#include "qtcanvas/qt_string.h"
#include "support/temp_folder.h"

namespace pf {

class WindowWalk : public DialogTest {
  protected:
    void TearDown() override {
        if (window) {
            for (DocumentHandle* d : window->Documents()) d->SetModified(false);
            window.reset();
        }
        DialogTest::TearDown();
    }

    // Saves `doc` as "Depot.fl2" and opens it in a new main window whose today is `today`.
    void OpenWindowOn(const CFolari2Doc& doc, CQRNDatum today) {
        std::ofstream(folder / "Depot.fl2", std::ios::binary) << WriteDocument(doc);
        MainWindowSetup setup;
        setup.settings = &settings;
        setup.programFolder = folder.Path().string();
        setup.today = today;
        setup.clipboard = &clipboard;
        window = std::make_unique<MainWindow>(setup);
        window->show();
        document = window->OpenFile(ToQString((folder / "Depot.fl2").string()));
        ASSERT_NE(document, nullptr);
    }

    CFolari2Doc& Doc() { return document->Doc(); }

    // Triggers the menu command `action`; `drive` works in the modal dialog it opens (and
    // closes it).
    void Run(const char* action, const std::function<void(QDialog&)>& drive) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << action;
            dialog->activateWindow();
            QApplication::processEvents();
            drive(*dialog);
            driven = true;
            if (dialog->isVisible()) dialog->reject();
        });
        window->FindAction(QString::fromLatin1(action))->trigger();
        EXPECT_TRUE(driven) << action;
    }

    static void Click(QWidget& root, const char* name) {
        Find<QPushButton>(&root, name)->click();
        QApplication::processEvents();
    }

    testing::TempFolder folder{"walkthrough"};
    MemorySettingsStore settings;
    MemoryClipboard clipboard;
    std::unique_ptr<MainWindow> window;
    DocumentHandle* document = nullptr;
};

}  // namespace pf
