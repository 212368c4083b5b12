#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "core/io/FileIO.h"
#include "core/model/EmoWriter.h"
#include "core/model/ModelCatalogue.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

// A model file holding one object, named so that tests can tell models apart.
std::vector<std::uint8_t> TinyModel(const std::string& objectName,
                                    const std::string& texture = "") {
    TmodelEMO m;
    TobjectEMO o;
    o.Name = objectName;
    o.TextureFile = texture;
    o.Textured = !texture.empty();
    o.Vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    o.TexCoords = {{0, 0}, {1, 0}, {0, 1}};
    FaceEMO f;
    f.Corners = {0, 1, 2};
    o.Faces = {f};
    m.Objects = {o};
    return SaveModelToBytes(m);
}

// Model files in memory; loading a name not among them fails like a missing file.
struct FakeModels {
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::vector<std::string> loaded;

    CatalogueModelLoader Loader() {
        return [this](const std::string& file, TmodelEMO& model) {
            loaded.push_back(file);
            auto it = files.find(file);
            if (it == files.end()) throw FileError("Cannot open file \"" + file + "\"");
            model.LoadFromBytes(it->second, "/Tsym", {}, file);
        };
    }
};

// One 12-line entry; the model file is named after the identifier.
std::string Entry(const std::string& id, const std::string& size1 = "70 100",
                  const std::string& visible1 = "+", const std::string& file = "") {
    return "---------\n" + id + "\n" + (file.empty() ? id + ".emo" : file) + "\nFront image\n" +
           visible1 + "\n" + size1 + "\nBack image\n+\n70 100\nSide image\n-\n20 100\n";
}

class Catalogue : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* id : {"stdbox", "cdcase", "flatbook", "magazine", "odd"})
            models.files[std::string(id) + ".emo"] = TinyModel(std::string("obj-") + id);
    }

    void Parse(const std::string& text) {
        ParseModelCatalogue(cat, text, "models.ini", models.Loader(),
                            [](const std::string& id) { return "<" + id + ">"; });
    }
    // Parses text that must fail; returns the error's message.
    std::string ParseError(const std::string& text) {
        try {
            Parse(text);
        } catch (const CatalogueError& e) {
            return e.what();
        }
        ADD_FAILURE() << "no CatalogueError for:\n" << text;
        return "";
    }

    FakeModels models;
    ModelCatalogue cat;
};

TEST_F(Catalogue, ReadsEntriesModelsAndDisplayNames) {
    Parse("2\n" + Entry("stdbox") + Entry("cdcase", "50 60 pixels wide", "-"));
    ASSERT_EQ(cat.Count, 2);
    EXPECT_FALSE(cat.EndedEarly);
    EXPECT_TRUE(cat.Warnings.empty());
    EXPECT_EQ(cat.DisplayNames, (std::vector<std::string>{"<stdbox>", "<cdcase>"}));
    const TModelItem& a = cat.Item(1);
    EXPECT_EQ(a.Id, "stdbox");
    ASSERT_EQ(a.Model.Objects.size(), 1u);
    EXPECT_EQ(a.Model.Objects[0].Name, "obj-stdbox");
    EXPECT_EQ(a.Caption1, "Front image");
    EXPECT_EQ(a.Caption2, "Back image");
    EXPECT_EQ(a.Caption3, "Side image");
    EXPECT_TRUE(a.Visible1);
    EXPECT_TRUE(a.Visible2);
    EXPECT_FALSE(a.Visible3);
    EXPECT_EQ(a.ThumbWidth1, 70);
    EXPECT_EQ(a.ThumbHeight1, 100);
    EXPECT_EQ(a.ThumbWidth3, 20);
    EXPECT_EQ(a.ThumbHeight3, 100);
    const TModelItem& b = cat.Item(2);
    EXPECT_EQ(b.Model.Objects[0].Name, "obj-cdcase");
    EXPECT_FALSE(b.Visible1);
    EXPECT_EQ(b.ThumbWidth1, 50);  // text after the two numbers is ignored
    EXPECT_EQ(b.ThumbHeight1, 60);
    EXPECT_TRUE(cat.Item(3).Id.empty());
    EXPECT_THROW(cat.Item(0), std::out_of_range);
    EXPECT_THROW(cat.Item(21), std::out_of_range);

    cat.RefreshDisplayNames([](const std::string& id) { return "[" + id + "]"; });
    EXPECT_EQ(cat.DisplayNames, (std::vector<std::string>{"[stdbox]", "[cdcase]"}));
    cat.RefreshDisplayNames({});
    EXPECT_EQ(cat.DisplayNames, (std::vector<std::string>{"stdbox", "cdcase"}));
}

TEST_F(Catalogue, CrLfLineEndsReadLikeLf) {
    std::string text = "2 covers\n" + Entry("stdbox") + Entry("magazine");
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Parse("\xEF\xBB\xBF" + crlf);  // with a byte order mark too
    ASSERT_EQ(cat.Count, 2);
    EXPECT_EQ(cat.Item(2).Id, "magazine");  // no CR left on the identifier
    EXPECT_EQ(cat.Item(2).Caption3, "Side image");
    EXPECT_EQ(models.loaded, (std::vector<std::string>{"stdbox.emo", "magazine.emo"}));
}

TEST_F(Catalogue, CountLimitsTheEntriesRead) {
    Parse("3\n" + Entry("stdbox") + Entry("cdcase") + Entry("flatbook") + Entry("magazine") +
          "garbage\n");
    EXPECT_EQ(cat.Count, 3);
    EXPECT_FALSE(cat.EndedEarly);
    EXPECT_EQ(cat.DisplayNames.size(), 3u);
    EXPECT_EQ(models.loaded.size(), 3u);  // the fourth model is not even loaded
    EXPECT_TRUE(cat.Item(4).Id.empty());
}

TEST_F(Catalogue, SeparatorNotBeginningWithDashEndsQuietly) {
    std::string second = Entry("cdcase");
    second[0] = '=';
    Parse("3\n" + Entry("stdbox") + second + Entry("flatbook"));
    EXPECT_EQ(cat.Count, 1);
    EXPECT_TRUE(cat.EndedEarly);
    EXPECT_EQ(cat.DisplayNames.size(), 1u);
    // An empty separator line, and the file ending where an entry would begin,
    // end the reading the same way.
    Parse("3\n" + Entry("stdbox") + "\n" + Entry("cdcase"));
    EXPECT_EQ(cat.Count, 1);
    Parse("3\n" + Entry("stdbox") + Entry("cdcase"));
    EXPECT_EQ(cat.Count, 2);
    EXPECT_TRUE(cat.EndedEarly);
    EXPECT_EQ(cat.FindEntry("flatbook"), 1);
}

TEST_F(Catalogue, VisibilityNeedsALeadingPlus) {
    const std::pair<std::string, bool> cases[] = {
        {"+", true},   {"+ whatever", true}, {"++", true},   {"", false},
        {" +", false}, {"-", false},         {"yes", false}, {"1", false},
    };
    for (const auto& [line, visible] : cases) {
        Parse("1\n" + Entry("stdbox", "70 100", line));
        EXPECT_EQ(cat.Item(1).Visible1, visible) << '"' << line << '"';
    }
}

TEST_F(Catalogue, SizeLines) {
    const std::pair<std::string, std::pair<int, int>> good[] = {
        {"70 100", {70, 100}},
        {"  70\t 100  ", {70, 100}},
        {"70 100 extra", {70, 100}},
        {"0 0", {0, 0}},
        {"+5 6", {5, 6}},
        {"10000 1", {10000, 1}},
    };
    for (const auto& [line, size] : good) {
        Parse("1\n" + Entry("stdbox", line));
        EXPECT_EQ(cat.Item(1).ThumbWidth1, size.first) << line;
        EXPECT_EQ(cat.Item(1).ThumbHeight1, size.second) << line;
    }
    for (const char* bad : {"70x100", "70,100", "70", "", "seventy 100", "70 100px", "7O 100",
                            "-1 100", "70 10001", "99999999999 1", "2147483648 1", "- 5"}) {
        const std::string msg = ParseError("1\n" + Entry("stdbox", bad));
        EXPECT_NE(msg.find("models.ini, line 7:"), std::string::npos) << bad << ": " << msg;
        EXPECT_EQ(cat.Count, 0) << bad;
    }
}

TEST_F(Catalogue, BadCounts) {
    for (const char* count : {"three", "", "3abc", "0x3", "99999999999"})
        EXPECT_NE(
            ParseError(std::string(count) + "\n" + Entry("stdbox")).find("models.ini, line 1:"),
            std::string::npos)
            << count;
    for (const char* count : {"0", "-3"}) {
        const std::string msg = ParseError(std::string(count) + "\n" + Entry("stdbox"));
        EXPECT_NE(msg.find("models.ini"), std::string::npos) << msg;
        EXPECT_EQ(cat.Count, 0);
    }
    EXPECT_NE(ParseError("").find("models.ini"), std::string::npos);
    // A count whose first separator already fails yields nothing to show.
    EXPECT_NE(ParseError("2\n=====\n").find("models.ini"), std::string::npos);
    EXPECT_NE(ParseError("2\n").find("models.ini"), std::string::npos);
}

TEST_F(Catalogue, CountAboveTwentyReadsTwentyAndWarns) {
    std::string text = "25\n";
    for (int i = 0; i < 25; ++i) text += Entry(i == 24 ? "cdcase" : "stdbox");
    Parse(text);
    EXPECT_EQ(cat.Count, kMaxCatalogueEntries);
    EXPECT_EQ(cat.DisplayNames.size(), 20u);
    ASSERT_EQ(cat.Warnings.size(), 1u);
    EXPECT_NE(cat.Warnings[0].find("25"), std::string::npos);
    EXPECT_NE(cat.Warnings[0].find("20"), std::string::npos);
    EXPECT_EQ(cat.FindEntry("cdcase"), 1);  // the 25th entry is not read
    EXPECT_EQ(cat.FindEntry("stdbox"), 20);
}

TEST_F(Catalogue, EntryCutShortIsAnErrorKeepingEarlierEntries) {
    const std::string whole = "3\n" + Entry("stdbox") + Entry("cdcase");
    const std::string second = Entry("flatbook");
    // Cut the third entry after each of its lines but the last.
    std::size_t pos = 0;
    for (int lines = 1; lines < 12; ++lines) {
        pos = second.find('\n', pos) + 1;
        const std::string msg = ParseError(whole + second.substr(0, pos));
        EXPECT_NE(msg.find("models.ini, line " + std::to_string(26 + lines) + ":"),
                  std::string::npos)
            << msg;
        EXPECT_NE(msg.find("entry 3"), std::string::npos) << msg;
        EXPECT_EQ(cat.Count, 2) << lines;
        EXPECT_EQ(cat.DisplayNames.size(), 2u);
        EXPECT_TRUE(cat.Item(3).Id.empty());
    }
    // The last line without its line end is still a line.
    Parse(whole + second.substr(0, second.size() - 1));
    EXPECT_EQ(cat.Count, 3);
}

TEST_F(Catalogue, DuplicateIdsAreBothListedAndTheLaterIsFound) {
    Parse("3\n" + Entry("stdbox") + Entry("cdcase") + Entry("stdbox", "80 90"));
    EXPECT_EQ(cat.Count, 3);
    EXPECT_EQ(cat.DisplayNames, (std::vector<std::string>{"<stdbox>", "<cdcase>", "<stdbox>"}));
    EXPECT_EQ(cat.FindEntry("stdbox"), 3);
    EXPECT_EQ(cat.FindEntry("cdcase"), 2);
    EXPECT_EQ(cat.FindEntry("CDcase"), 1);
    EXPECT_EQ(cat.FindEntry("dvdcase"), 1);
}

TEST_F(Catalogue, EntryForCode) {
    Parse("3\n" + Entry("magazine") + Entry("cdcase") + Entry("stdbox"));
    EXPECT_EQ(cat.EntryForCode(9), 2);  // cdcase
    EXPECT_EQ(cat.EntryForCode(1), 3);  // stdbox
    EXPECT_EQ(cat.EntryForCode(6), 1);  // magazine
    EXPECT_EQ(cat.EntryForCode(0), 1);
    EXPECT_EQ(cat.EntryForCode(14), 1);
    EXPECT_EQ(cat.EntryForCode(255), 1);
    Parse("2\n" + Entry("magazine") + Entry("stdbox"));
    EXPECT_EQ(cat.EntryForCode(9), 1);  // no cdcase entry
    EXPECT_EQ(cat.EntryForCode(1), 2);
    const ModelCatalogue empty;
    EXPECT_EQ(empty.FindEntry("stdbox"), 1);
    EXPECT_EQ(empty.EntryForCode(1), 1);
}

TEST_F(Catalogue, UnknownIdentifiersAreKept) {
    Parse("1\n" + Entry("odd"));
    EXPECT_EQ(cat.Item(1).Id, "odd");
    EXPECT_EQ(cat.FindEntry("odd"), 1);
}

TEST_F(Catalogue, ModelPathsMustStayInsideTheModelFolder) {
    models.files["sub/stdbox.emo"] = TinyModel("in-sub");
    for (const char* file : {"../stdbox.emo", "sub/../../x.emo", "..", "sub\\..\\..\\x.emo",
                             "/etc/passwd", "\\\\server\\x.emo", "C:\\x.emo", "c:x.emo"}) {
        const std::string msg =
            ParseError("2\n" + Entry("cdcase") + Entry("stdbox", "70 100", "+", file));
        EXPECT_NE(msg.find("models.ini, line 16:"), std::string::npos) << file << ": " << msg;
        EXPECT_EQ(cat.Count, 1) << file;
    }
    EXPECT_EQ(models.loaded, std::vector<std::string>(8, "cdcase.emo"));  // none was loaded
    std::string noFile = Entry("stdbox");
    noFile.replace(noFile.find("stdbox.emo"), 10, "");
    EXPECT_NE(ParseError("1\n" + noFile).find("line 4:"), std::string::npos);
    // Names that only look similar are fine; backslashes are folder separators.
    Parse("1\n" + Entry("stdbox", "70 100", "+", "sub\\stdbox.emo"));
    EXPECT_EQ(cat.Item(1).Model.Objects[0].Name, "in-sub");
    models.files["..x.emo"] = TinyModel("dots");
    Parse("1\n" + Entry("stdbox", "70 100", "+", "..x.emo"));
    EXPECT_EQ(cat.Item(1).Model.Objects[0].Name, "dots");
}

TEST_F(Catalogue, ModelThatCannotBeLoadedIsAnErrorNamingTheLine) {
    models.files["broken.emo"] = {1, 2, 3, 4, 5, 6};  // ends inside a value
    for (const char* file : {"missing.emo", "broken.emo"}) {
        const std::string msg = ParseError(
            "3\n" + Entry("stdbox") + Entry("cdcase", "70 100", "+", file) + Entry("flatbook"));
        EXPECT_NE(msg.find("models.ini, line 16:"), std::string::npos) << msg;
        EXPECT_NE(msg.find(file), std::string::npos) << msg;
        EXPECT_EQ(cat.Count, 1);
        EXPECT_EQ(cat.Item(1).Id, "stdbox");
        EXPECT_TRUE(cat.Item(2).Id.empty());
    }
}

TEST_F(Catalogue, ReparsingStartsFromEmpty) {
    Parse("3\n" + Entry("stdbox") + Entry("cdcase") + Entry("flatbook"));
    Parse("1\n" + Entry("magazine"));
    EXPECT_EQ(cat.Count, 1);
    EXPECT_TRUE(cat.Item(2).Id.empty());
    EXPECT_TRUE(cat.Item(2).Model.Objects.empty());
    EXPECT_EQ(cat.DisplayNames.size(), 1u);
}

TEST_F(Catalogue, HostileBytesGiveAnErrorOrACatalogue) {
    // Every prefix of a valid catalogue, and the catalogue with single bytes
    // replaced, either loads or raises CatalogueError; nothing else escapes.
    const std::string text = "2\n" + Entry("stdbox") + Entry("cdcase");
    for (std::size_t n = 0; n <= text.size(); ++n) {
        try {
            Parse(text.substr(0, n));
            EXPECT_GE(cat.Count, 1);
        } catch (const CatalogueError&) {
        }
    }
    for (std::size_t i = 0; i < text.size(); ++i)
        for (char c : {'\0', '\n', '\r', '-', '+', '9', '.', '/', '\xFF'}) {
            std::string t = text;
            t[i] = c;
            try {
                Parse(t);
                EXPECT_GE(cat.Count, 1);
                EXPECT_LE(cat.Count, 2);
            } catch (const CatalogueError&) {
            }
        }
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    WriteFileAtomically(path, bytes);
}

TEST(LoadModelCatalogue, ReadsTheFileAndModelsFromTheProgramFolder) {
    test::TempDir dir;
    WriteText(dir / "Tsym/models.ini",
              "2\r\n" + Entry("stdbox") + Entry("cdcase", "70 100", "+", "cases/cd.emo"));
    WriteBytes(dir / "Tsym/stdbox.emo", TinyModel("box", "box-front.bmp"));
    WriteBytes(dir / "Tsym/cases/cd.emo", TinyModel("cd"));
    std::vector<std::string> textures;
    ModelCatalogue cat;
    LoadModelCatalogue(cat, dir.Path().string() + "/",
                       [&](const std::string& path) {
                           textures.push_back(path);
                           return 7u;
                       },
                       {});
    ASSERT_EQ(cat.Count, 2);
    EXPECT_EQ(cat.DisplayNames, (std::vector<std::string>{"stdbox", "cdcase"}));
    EXPECT_EQ(cat.Item(1).Model.Objects[0].Texture, 7u);
    EXPECT_EQ(textures, (std::vector<std::string>{dir.Path().string() + "/Tsym/box-front.bmp"}));
    EXPECT_EQ(cat.Item(2).Model.Objects[0].Name, "cd");
    EXPECT_EQ(cat.Item(2).Model.Folder, dir.Path().string() + "/Tsym/cases/");
}

TEST(LoadModelCatalogue, MissingFilesAreErrorsNamingThem) {
    test::TempDir dir;
    ModelCatalogue cat;
    try {
        LoadModelCatalogue(cat, dir.Path().string() + "/", {}, {});
        ADD_FAILURE() << "no error for a missing catalogue";
    } catch (const CatalogueError& e) {
        EXPECT_NE(std::string(e.what()).find("Tsym/models.ini"), std::string::npos) << e.what();
    }
    EXPECT_EQ(cat.Count, 0);

    WriteText(dir / "Tsym/models.ini", "2\n" + Entry("stdbox") + Entry("cdcase"));
    WriteBytes(dir / "Tsym/stdbox.emo", TinyModel("box"));
    try {
        LoadModelCatalogue(cat, dir.Path().string() + "/", {}, {});
        ADD_FAILURE() << "no error for a missing model";
    } catch (const CatalogueError& e) {
        const std::string msg = e.what();
        EXPECT_NE(msg.find("models.ini, line 16:"), std::string::npos) << msg;
        EXPECT_NE(msg.find("cdcase.emo"), std::string::npos) << msg;
    }
    EXPECT_EQ(cat.Count, 1);
    EXPECT_EQ(cat.Item(1).Model.Objects[0].Name, "box");
}

}  // namespace
}  // namespace tessaly
