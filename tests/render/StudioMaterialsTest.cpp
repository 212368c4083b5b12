// The studio look's materials: every object of every shipped model gets the
// finish of what it stands for, and the names the table keys on exist.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "core/model/DiscCases.h"
#include "core/model/ShippedModels.h"
#include "render/studio/Materials.h"

namespace tessaly {
namespace {

TEST(StudioMaterials, FinishFollowsWhatTheObjectIsMadeOf) {
    const StudioMaterial pages = MaterialFor("Pages");
    const StudioMaterial card = MaterialFor("Front");
    const StudioMaterial shell = MaterialFor("DVDBase");
    const StudioMaterial wire = MaterialFor("Spira");
    EXPECT_EQ(pages.Gloss, 0.0f) << "page edges are matt";
    EXPECT_GT(card.Gloss, pages.Gloss);
    EXPECT_GT(shell.Gloss, card.Gloss) << "plastic shines more than laminated card";
    EXPECT_EQ(wire.Metal, 1.0f);
    EXPECT_EQ(card.Metal, 0.0f) << "highlights on artwork stay white";
    EXPECT_LT(MaterialFor("fataCarcas").Opacity, 1.0f) << "the jewel case's lid is clear";
    EXPECT_EQ(card.Opacity, 1.0f);
    EXPECT_EQ(MaterialFor("").Opacity, 1.0f) << "unknown objects are opaque card";
}

TEST(StudioMaterials, SleevesAndHubsAreClearAndDiscsSilver) {
    const StudioMaterial sleeve = MaterialFor(kLidSleeveObject);
    EXPECT_LT(sleeve.Opacity, MaterialFor("fataCarcas").Opacity)
        << "a sleeve over artwork hides less of it than a case's clear shell";
    EXPECT_EQ(MaterialFor(kBaseSleeveObject).Opacity, sleeve.Opacity);
    EXPECT_GE(sleeve.Gloss, MaterialFor("DVDBase").Gloss) << "but shines as plastic does";
    EXPECT_LT(MaterialFor(kDiscHubObject).Opacity, 1.0f);
    EXPECT_EQ(MaterialFor("Disc").Metal, 1.0f);
    EXPECT_EQ(MaterialFor("Disc").Opacity, 1.0f);
}

TEST(StudioMaterials, ShippedModelsNameEveryObjectTheTableKnows) {
    std::set<std::string> names;
    for (const ShippedModel& m : ShippedModels())
        for (const TobjectEMO& o : m.Build().Objects) names.insert(o.Name);
    for (const char* name : {"Pages", "Spira", "fataCarcas", "CFata2", "BaseShell", "Tray",
                             "DVDCFata", "DVDBase", "DVDHub", "Disc", "DVDFata", "DVDSpate",
                             kDiscHubObject, kLidSleeveObject, kBaseSleeveObject})
        EXPECT_TRUE(names.count(name)) << name << " is in no shipped model";
}

}  // namespace
}  // namespace tessaly
