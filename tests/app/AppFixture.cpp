#include "AppFixture.h"

#include <sstream>
#include <stdexcept>

#include "core/model/ModelCatalogue.h"

namespace tessaly::test {

namespace {

std::string GroupLines(const GroupLayout& g) {
    return g.caption + "\n" + (g.visible ? "+" : "-") + "\n" + std::to_string(g.width) + " " +
           std::to_string(g.height) + "\n";
}

// Builds a model with one small triangle per named object.
void BuildModel(const std::string& objects, TmodelEMO& model) {
    std::stringstream names(objects);
    std::string name;
    while (std::getline(names, name, ',')) {
        TobjectEMO o;
        o.Name = name;
        o.Textured = true;
        o.Texture = kFileTexture;
        o.Ambient = {kFileGrey, kFileGrey, kFileGrey, 1};
        o.Diffuse = {kFileGrey, kFileGrey, kFileGrey, 1};
        o.Vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        o.TexCoords = {{0, 0}, {1, 0}, {0, 1}};
        FaceEMO f;
        f.Corners = {0, 1, 2};
        o.Faces = {f};
        model.Objects.push_back(std::move(o));
    }
}

constexpr const char* kBookObjects =
    "Front01,Back01,Side01,Front02,Back02,Side02,Front03,Back03,Side03,Front04,Back04,Side04";

}  // namespace

std::string CatalogueEntry(const std::string& id, const std::string& objects, const GroupLayout& g1,
                           const GroupLayout& g2, const GroupLayout& g3) {
    return "-----\n" + id + "\n" + objects + "\n" + GroupLines(g1) + GroupLines(g2) +
           GroupLines(g3);
}

std::string StandardCatalogue() {
    const std::string boxOfBooks = std::string("Top,Side,Back,Front,") + kBookObjects;
    const std::vector<std::string> entries = {
        CatalogueEntry("stdbox", "Front,Side,Top,Back"),
        CatalogueEntry("cbox", "Front,Side,Top,Back", {"Front", true, 200, 200},
                       {"Side", true, 200, 200}, {"Top", true, 200, 200}),
        CatalogueEntry("flatbook", "Front,Back,Side,Spine,Top"),
        CatalogueEntry("roundedbook", "Front,Back,Side,Spine"),
        CatalogueEntry("magazine", "Front,Back,Side,Top", {"Front", true, 70, 100},
                       {"Back", true, 70, 100}, {"Unused", false, 33, 44}),
        CatalogueEntry("spiral1", "Front,Back,Side,Spira,Spine"),
        CatalogueEntry("cdcase", "Front,Back,CD,fataCarcas,CFata2,DVDFata,Side"),
        CatalogueEntry("dvdcase", "DVDFata,DVDSpate,DVD,DVDCFata,Front,Back"),
        CatalogueEntry("2bookbox", boxOfBooks),
        CatalogueEntry("3bookbox", boxOfBooks),
        CatalogueEntry("4bookbox", boxOfBooks),
        CatalogueEntry("Stdbox", "Front,Side,Top,Back,Spine,Spira,CD,fataCarcas",
                       {"Own 1", false, 10, 20}, {"Own 2", true, 30, 40}, {"Own 3", true, 50, 60}),
    };
    std::string text = std::to_string(entries.size()) + "\n";
    for (const auto& e : entries) text += e;
    return text;
}

AppTest::AppTest() : state("/nonexistent/", port, std::make_unique<FakeContext>()) {
    for (int i = 0; i < 3; ++i) state.Session.ImageTextures[i] = kFaceTexture[i];
    for (int b = 0; b < 4; ++b)
        for (int n = 0; n < 3; ++n) state.Session.BookTextures[b][n] = BookTexture(b, n);
    LoadCatalogue(StandardCatalogue());
}

void AppTest::LoadCatalogue(const std::string& text) {
    ParseModelCatalogue(state.Session.Catalogue, text, "models.ini",
                        [](const std::string& file, TmodelEMO& model) { BuildModel(file, model); },
                        {});
}

void AppTest::Select(const std::string& id) {
    const int entry = EntryOf(id);
    ASSERT_EQ(state.Session.Catalogue.Item(entry).Id, id) << "the catalogue lacks " << id;
    SelectCover(state, entry);
}

TobjectEMO& AppTest::Object(const std::string& id, const std::string& name) {
    TobjectEMO* o = ModelOf(id).FindObject(name);
    if (!o) throw std::logic_error("model of " + id + " has no object " + name);
    return *o;
}

}  // namespace tessaly::test
