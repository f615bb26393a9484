#include "app/help.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>
#include <QWidget>
#include <utility>
#include <vector>

#include "app/message_box.h"
#include "qtcanvas/qt_desktop_launcher.h"
#include "qtcanvas/qt_string.h"
#include "shell/handbook.h"

namespace pf {

namespace {

struct Registration {
    QPointer<QWidget> window;
    DesktopLauncher* launcher;
};

std::vector<Registration>& Registrations() {
    static std::vector<Registration> registrations;
    return registrations;
}

QString& FolderOverride() {
    static QString folder;
    return folder;
}

DesktopLauncher& LauncherFor(QWidget* widget) {
    std::vector<Registration>& all = Registrations();
    std::erase_if(all, [](const Registration& r) { return r.window.isNull(); });
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget())
        for (const Registration& r : all)
            if (r.window == w) return *r.launcher;
    if (!all.empty()) return *all.back().launcher;
    static QtDesktopLauncher desktop;
    return desktop;
}

std::string HandbookFolder() {
    if (!FolderOverride().isEmpty()) return FromQString(FolderOverride());
    const std::string found = FindHandbookFolder(
        FromQString(QCoreApplication::applicationDirPath()),
        [](const std::string& path) { return QFileInfo(ToQString(path)).isFile(); });
    return found.empty() ? found : FromQString(QDir::cleanPath(ToQString(found)));
}

const QString kHelpTitle = QStringLiteral("Hilfe");

// What SetHelpTarget gives a dialog: a child object, so it goes with the dialog.
class HelpTarget : public QObject {
  public:
    HelpTarget(QDialog* dialog, std::function<std::string()> target)
        : QObject(dialog), target_(std::move(target)) {
        setObjectName(Name());
    }
    // Found by name and dynamic_cast: without Q_OBJECT, findChild<HelpTarget*> would take
    // any child.
    static QString Name() { return QStringLiteral("pfHelpTarget"); }
    static HelpTarget* Of(QDialog* dialog) {
        return dynamic_cast<HelpTarget*>(
            dialog->findChild<QObject*>(Name(), Qt::FindDirectChildrenOnly));
    }
    std::string Target() const { return target_(); }

  private:
    std::function<std::string()> target_;
};

// F1 in any dialog of the program, including those without a "Hilfe" button and Qt's own
// (print, colour): one filter on the application, so that no dialog needs a shortcut of its
// own. The main window's "Handbuch" action takes F1 there before a key event is sent.
class HelpKeyFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* dialog = widget != nullptr ? qobject_cast<QDialog*>(widget->window()) : nullptr;
        if (dialog == nullptr) return false;
        OpenHelpFor(dialog);
        return true;
    }
};

void InstallHelpKey() {
    static QPointer<HelpKeyFilter> filter;
    if (filter != nullptr || QCoreApplication::instance() == nullptr) return;
    filter = new HelpKeyFilter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

}  // namespace

void OpenHelpFor(QDialog* dialog) {
    const HelpTarget* own = HelpTarget::Of(dialog);
    OpenHandbook(dialog, own != nullptr ? own->Target()
                                        : HandbookTarget(FromQString(dialog->windowTitle())));
}

void RegisterHelpLauncher(QWidget* window, DesktopLauncher* launcher) {
    if (window == nullptr || launcher == nullptr) return;
    InstallHelpKey();
    std::vector<Registration>& all = Registrations();
    std::erase_if(
        all, [window](const Registration& r) { return r.window.isNull() || r.window == window; });
    all.push_back({window, launcher});
}

bool OpenHandbook(QWidget* parent, const std::string& target) {
    const std::string folder = HandbookFolder();
    if (folder.empty()) {
        QString searched;
        for (const std::string& candidate :
             HandbookFolderCandidates(FromQString(QCoreApplication::applicationDirPath())))
            searched += QStringLiteral("\n") + QDir::cleanPath(ToQString(candidate));
        ShowError(
            parent, kHelpTitle,
            ToQString(std::string(kHandbookMissing)) + QStringLiteral("\nGesucht in:") + searched);
        return false;
    }
    const HandbookLocation location = LocateInHandbook(folder, target);
    if (!LauncherFor(parent).OpenFileAt(location.file, location.fragment)) {
        // The page can still be opened by hand: say where it is.
        ShowError(parent, kHelpTitle,
                  ToQString(std::string(kHandbookBrowserFailed)) +
                      QStringLiteral("\nDas Handbuch liegt in %1.").arg(ToQString(location.file)));
        return false;
    }
    return true;
}

void AddHelpButton(QDialogButtonBox* buttons, QDialog* dialog) {
    InstallHelpKey();
    QPushButton* help = buttons->addButton(QDialogButtonBox::Help);
    help->setText(kHelpTitle);
    help->setObjectName(QStringLiteral("help"));
    help->setAutoDefault(false);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, dialog,
                     [dialog] { OpenHelpFor(dialog); });
}

QPushButton* MakeHelpButton(QDialog* dialog) {
    InstallHelpKey();
    auto* help = new QPushButton(kHelpTitle, dialog);
    help->setObjectName(QStringLiteral("help"));
    help->setAutoDefault(false);
    QObject::connect(help, &QPushButton::clicked, dialog, [dialog] { OpenHelpFor(dialog); });
    return help;
}

bool AddHelpButtonToQtDialog(QDialog* dialog) {
    if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
        AddHelpButton(buttons, dialog);
        return true;
    }
    // The print preview has a tool bar instead.
    if (auto* tools = dialog->findChild<QToolBar*>()) {
        InstallHelpKey();
        tools->addSeparator();
        QAction* help = tools->addAction(kHelpTitle, dialog, [dialog] { OpenHelpFor(dialog); });
        help->setObjectName(QStringLiteral("help"));
        return true;
    }
    InstallHelpKey();
    return false;
}

void SetHelpTarget(QDialog* dialog, std::function<std::string()> target) {
    delete HelpTarget::Of(dialog);
    new HelpTarget(dialog, std::move(target));
}

void OverrideHandbookFolder(const QString& folder) { FolderOverride() = folder; }

}  // namespace pf
