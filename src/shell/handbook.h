#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pf {

// The German handbook (docs/handbuch): HTML pages, one per area, with an anchor for every
// dialog's section. The help menu opens its start page; a dialog's "Hilfe" button opens the
// section that belongs to the dialog's window title.

inline constexpr std::string_view kHandbookStartPage = "index.html";
// The message when the desktop's browser does not take the page.
inline constexpr std::string_view kHandbookBrowserFailed = "Fehler bei Aufruf des Webbrowsers!";
// The message when no handbook folder is found.
inline constexpr std::string_view kHandbookMissing = "Das Handbuch wurde nicht gefunden.";

// A window title and the handbook page with its section ("page.html#anchor").
struct HandbookSection {
    std::string_view title;
    std::string_view target;
};

// Every dialog title the program shows, with its section.
std::span<const HandbookSection> HandbookSections();

// The section of a page of the property sheet "Optionen" (its tab title, e.g. "Allgemein",
// "TABELLEN >"): the sheet's help opens the page the user is on. An unknown title gives the
// options page's top.
std::string HandbookOptionsPageTarget(std::string_view pageTitle);

// The page and section for a dialog's window title. Titles are compared whole, after
// removing the "[*]" of a changed document and any " - ..." after the title (the new-file
// wizard names its step that way). An unknown title gives the start page, so that the help
// button never leads nowhere.
std::string HandbookTarget(std::string_view windowTitle);

// Where the handbook may be, in the order tried: "../share/doc/portfolaris/handbuch" from
// the program's folder (installed: bin/ and share/ under one prefix), then "handbuch" beside
// the program (a build run: the build copies docs/handbuch there). `programFolder` without a
// trailing slash; empty gives no candidates.
std::vector<std::string> HandbookFolderCandidates(const std::string& programFolder);

// The first candidate that holds the start page, or "" when none does. `exists` answers
// whether a file is there (tests give their own).
std::string FindHandbookFolder(const std::string& programFolder,
                               const std::function<bool(const std::string&)>& exists);

// The page's path in `folder` and the section after '#' of a target ("" without one).
struct HandbookLocation {
    std::string file;
    std::string fragment;
};
HandbookLocation LocateInHandbook(const std::string& folder, std::string_view target);

}  // namespace pf
