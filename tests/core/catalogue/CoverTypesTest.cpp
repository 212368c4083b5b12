#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/model/CoverTypes.h"

namespace tessaly {
namespace {

TEST(CoverTypes, CodesOfTheNumberedIdentifiers) {
    const std::pair<const char*, int> expected[] = {
        {"stdbox", 1},    {"thinbox", 2},   {"widebox", 3},  {"cbox", 4},   {"flatbook", 5},
        {"magazine", 6},  {"spiral1", 7},   {"spiral2", 8},  {"cdcase", 9}, {"2bookbox", 10},
        {"3bookbox", 11}, {"4bookbox", 12}, {"dvdcase", 13},
    };
    for (const auto& [id, code] : expected) {
        EXPECT_EQ(TypeCode(id), code) << id;
        EXPECT_EQ(IdentifierForCode(static_cast<std::uint8_t>(code)), id);
    }
}

TEST(CoverTypes, RoundedBooksAndUnknownStringsHaveCodeZero) {
    EXPECT_EQ(TypeCode("roundedbook"), 0);
    EXPECT_EQ(TypeCode("roundedbbook"), 0);
    EXPECT_TRUE(IsKnownCoverType("roundedbook"));
    EXPECT_TRUE(IsKnownCoverType("roundedbbook"));
    // Identifiers are exact: letter case, blanks and prefixes all count.
    for (const char* s :
         {"StdBox", "STDBOX", "CDcase", " stdbox", "stdbox ", "std", "stdboxx", ""}) {
        EXPECT_EQ(TypeCode(s), 0) << '"' << s << '"';
        EXPECT_FALSE(IsKnownCoverType(s)) << '"' << s << '"';
    }
    EXPECT_TRUE(IdentifierForCode(0).empty());
    EXPECT_TRUE(IdentifierForCode(14).empty());
    EXPECT_TRUE(IdentifierForCode(255).empty());
}

TEST(CoverTypes, TableIsConsistent) {
    std::set<std::string_view> ids;
    std::set<int> codes;
    for (const CoverType& t : kCoverTypes) {
        EXPECT_TRUE(ids.insert(t.Id).second) << t.Id;
        if (t.Code != 0) {
            EXPECT_TRUE(codes.insert(t.Code).second) << t.Id;
        }
        EXPECT_EQ(t.MenuEntry.empty(), t.Handler.empty()) << t.Id;
        EXPECT_EQ(t.Options == CoverOptions::None, t.OptionsControl.empty()) << t.Id;
        EXPECT_EQ(t.Books != 0, t.Kind == CoverKind::BoxOfBooks) << t.Id;
    }
    EXPECT_EQ(codes.size(), 13u);
    EXPECT_EQ(FindCoverType("3bookbox")->Books, 3);
    EXPECT_EQ(FindCoverType("dvdcase")->Options, CoverOptions::CaseAngle);
    EXPECT_TRUE(FindCoverType("dvdcase")->MenuEntry.empty());
    EXPECT_EQ(FindCoverType("cdcase")->MenuEntry, "CD/DVD Case");
}

TEST(CoverTypes, NewMenuListsEveryMenuEntryOnceInOrder) {
    std::string order;
    for (std::string_view id : kNewCoverMenu) {
        if (id.empty()) {
            order += "|";
            continue;
        }
        const CoverType* t = FindCoverType(id);
        ASSERT_NE(t, nullptr) << id;
        order += std::string(t->MenuEntry) + ";";
    }
    EXPECT_EQ(order,
              "Standard Box;Thin Box;Wide Box;Customizable box;|Book;|Spiral Notebook;"
              "Wide Spiral Notebook;|Magazine;|CD/DVD Case;|2 Books Box;3 Books Box;4 Books Box;");
}

}  // namespace
}  // namespace tessaly
