// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/banner_list.h"

#include <gtest/gtest.h>

namespace zentora::files {
namespace {

TEST(BannerList, SplitsFieldsAtTheFirstTwoSemicolons) {
    struct Case {
        const char* line;
        const char* url;
        const char* link;
        const char* hint;
    };
    const Case cases[] = {
        {"http://a/b.gif;http://a/;Besuchen Sie uns", "http://a/b.gif", "http://a/", "Besuchen Sie uns"},
        {"Nur ein Hinweis", "", "", "Nur ein Hinweis"},
        {"http://a/b.gif;Hinweis", "http://a/b.gif", "", "http://a/b.gif;Hinweis"},
        {"u;l;h;mit;mehr", "u", "l", "h;mit;mehr"},
        {";;", "", "", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        const BannerLine b = SplitBannerLine(c.line);
        EXPECT_EQ(b.pictureUrl, c.url) << c.line;
        EXPECT_EQ(b.link, c.link) << c.line;
        EXPECT_EQ(b.hint, c.hint) << c.line;
    }
}

TEST(BannerList, SplitsLinesAtEveryKindOfLineEnd) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitListLines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitListLines("a\r\n\r\nb\r\n"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitListLines(""), V{});
}

TEST(BannerList, AcceptsOnlyWebAddresses) {
    for (const char* good : {"http://www.zentora.de/", "HTTPS://host:8080/a.gif?x=1", "http://127.0.0.1:5/b"})
        EXPECT_TRUE(IsWebAddress(good)) << good;
    for (const char* bad : {"", "file:///etc/passwd", "javascript:alert(1)", "ftp://host/x", "http://",
                            "http:///path", "http://user@host/", "mailto:a@b", "http://a b/", "C:\\x.gif"})
        EXPECT_FALSE(IsWebAddress(bad)) << bad;
    EXPECT_EQ(AddressAuthority("http://WWW.Zentora.DE:81/x"), "www.zentora.de:81");
}

TEST(BannerList, CachesOnlyPlainGifNamesOfTheMakersHost) {
    const std::string host = "www.zentora.de";
    EXPECT_EQ(CachedPictureName("http://www.zentora.de/banner/Werbung1.GIF", host), "Werbung1.GIF");
    EXPECT_EQ(CachedPictureName("https://WWW.ZENTORA.DE/a.gif", host), "a.gif");
    for (const char* url : {
             "http://other.example/www.zentora.de/a.gif",  // host named only in the path
             "http://www.zentora.de.evil.example/a.gif",   // host as a prefix of another
             "http://www.zentora.de/a.jpg",                // not a GIF
             "http://www.zentora.de/",                     // no name
             "http://www.zentora.de/.gif",                 // hidden file
             "http://www.zentora.de/..%2F..%2Fx.gif",      // encoded traversal
             "file://www.zentora.de/a.gif",
         })
        EXPECT_FALSE(CachedPictureName(url, host).has_value()) << url;
    EXPECT_FALSE(CachedPictureName("http://www.zentora.de/a.gif", "").has_value());
}

}  // namespace
}  // namespace zentora::files
