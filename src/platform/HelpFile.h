// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help file and the pages the help window shows from it.
//
// The help file is "nibsy.hlp" in the application directory: one UTF-8 HTML document (the subset of
// HTML and CSS that QTextBrowser renders) cut into pages by <section> elements.
//
//   <section id="contents"> ... </section>   the contents page, shown by the Help menus and the
//                                            Contents button
//   <section id="topic-N"> ... </section>    the page of help context N (N = 1..99), shown by the
//                                            Help button of the activity that has that context
//
// Everything outside the sections (the <head> with its <style>, a banner before the first section) is
// shared: it is shown with every page, in its place. Sections do not nest; one left unclosed ends where
// the next begins. Tag and attribute names may be in any case; the id may be quoted with " or ' or not
// at all.
//
// Links move between pages: href="#contents" and href="#topic-N". A link to any other "#name" scrolls to
// <a name="name"> within the page shown; http(s) and mailto links open in the desktop's browser or mail
// program; other links do nothing. Pictures (<img src="name.png">) are looked up in the application
// directory.
//
// The file is read again each time help is asked for, so it can be edited while the suite runs.

#include <QString>
#include <optional>

class QUrl;

namespace nibsy {

struct HelpFile {
    static QString fileName() { return QStringLiteral("nibsy.hlp"); }
    static QString contentsId() { return QStringLiteral("contents"); }
    static QString topicId(int context) { return QStringLiteral("topic-%1").arg(context); }
    // The HTML inside the section of that id, or nothing when there is no such section.
    static std::optional<QString> section(const QString& html, const QString& id);
    // The document shown for that section: the shared parts with only that section's content kept in
    // its place, or nothing when there is no such section.
    static std::optional<QString> page(const QString& html, const QString& id);
    // The section a link inside the file leads to, or nothing when it leads elsewhere.
    static std::optional<QString> linkTarget(const QUrl& url);
};

} // namespace nibsy
