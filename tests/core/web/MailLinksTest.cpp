// The mail links as strings: the wording the user reads and the URL the
// desktop gets, which must be a valid "mailto:" URL carrying the same text.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/mail/MailLinks.h"
#include "core/web/SiteAddresses.h"

namespace tessaly {
namespace {

// Undoes PercentEncode, for checking that the URL carries the text unchanged.
std::string PercentDecode(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

TEST(MailLinks, TheWordingIsTheLinkTextALineBreakAndThePath) {
    EXPECT_EQ(MailLinkText(MailItem::ECover, "/home/ann/Documents/eCover.eco"),
              "mailto: ?subject=Tessaly eCover&body=Check out MyDocuments folder to attach the "
              "eCover: \r\n/home/ann/Documents/eCover.eco");
    EXPECT_EQ(MailLinkText(MailItem::Image, "/d/Screenshot.bmp"),
              "mailto: ?subject=Tessaly Image&body=Check out MyDocuments folder to attach the "
              "screenshot\r\n/d/Screenshot.bmp");
    EXPECT_EQ(MailLinkText(MailItem::Template, "/d/Template.tem"),
              "mailto: ?subject=Tessaly eCover&body=Check out MyDocuments folder to attach the "
              "template: \r\n/d/Template.tem");
}

TEST(MailLinks, TheUrlIsValidAndCarriesTheSameSubjectAndBody) {
    const std::string path = "/home/ann/My Documents/ä&b?c=#d/eCover.eco";
    const std::string url = MailtoUrl(MailItem::ECover, path);
    EXPECT_EQ(url.rfind("mailto:?subject=", 0), 0u) << "no recipient, no blank after the colon";
    // Nothing a URL parser would split on or reject is left raw.
    for (const char c : url.substr(7)) {
        EXPECT_FALSE(c == ' ' || c == '\r' || c == '\n' || c == '#' ||
                     static_cast<unsigned char>(c) >= 0x80)
            << "raw character in " << url;
    }
    EXPECT_EQ(std::count(url.begin(), url.end(), '&'), 1);
    EXPECT_EQ(std::count(url.begin(), url.end(), '?'), 1);

    const std::size_t body = url.find("&body=");
    ASSERT_NE(body, std::string::npos);
    EXPECT_EQ(PercentDecode(url.substr(16, body - 16)), "Tessaly eCover");
    EXPECT_EQ(
        PercentDecode(url.substr(body + 6)),
        "Check out the folder /home/ann/My Documents/ä&b?c=#d to attach the eCover: \r\n" + path);
    EXPECT_NE(url.find("Tessaly%20eCover"), std::string::npos) << "blanks as %20, not +";
    EXPECT_NE(url.find("%0D%0A%2Fhome"), std::string::npos);
}

TEST(MailLinks, PercentEncodingKeepsOnlyUnreservedCharacters) {
    EXPECT_EQ(PercentEncode("aZ09-._~"), "aZ09-._~");
    EXPECT_EQ(PercentEncode("a b+c/%"), "a%20b%2Bc%2F%25");
    EXPECT_EQ(PercentEncode("\xC3\xA4"), "%C3%A4");
    EXPECT_EQ(PercentEncode(""), "");
}

TEST(SiteAddresses, BaseAndPathJoinWithOneSlash) {
    EXPECT_EQ(SiteAddress("https://x.example", kTemplatesPagePath),
              "https://x.example/tessaly/templates/");
    EXPECT_EQ(SiteAddress("http://127.0.0.1:81/", kUpdateFilePath),
              "http://127.0.0.1:81/tessaly/updates.txt");
    EXPECT_EQ(SiteAddress("https://x.example/mirror//", "/tessaly/"),
              "https://x.example/mirror/tessaly/");
}

}  // namespace
}  // namespace tessaly
