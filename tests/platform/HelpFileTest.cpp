// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpFile.h"

#include <gtest/gtest.h>

using nibsy::HelpFile;

TEST(HelpFile, ASectionTagBrokenOffByAnotherTagHidesNeitherPage) {
    // The closing tag of the contents lost its '>' in an edit: the topic after it is still its own page.
    const QString html = QStringLiteral("<p>Top</p><section id=contents>Pick one</section"
                                        "<section class=x id='topic-2'>Two</section><p>End</p>");
    const auto two = HelpFile::page(html, HelpFile::topicId(2));
    ASSERT_TRUE(two.has_value());
    EXPECT_EQ(*two, QStringLiteral("<p>Top</p>Two<p>End</p>"));
    const auto contents = HelpFile::page(html, HelpFile::contentsId());
    ASSERT_TRUE(contents.has_value());
    EXPECT_TRUE(contents->contains(QStringLiteral("Pick one")) && !contents->contains(QStringLiteral("Two")));
}
