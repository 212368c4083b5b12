#include "app/project/CoverProject.h"

#include <array>
#include <filesystem>
#include <sstream>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "app/images/ImageSlots.h"
#include "app/scene/SceneControls.h"
#include "core/i18n/Messages.h"
#include "core/images/PixelBudget.h"
#include "core/io/FileIO.h"
#include "core/model/CoverTypes.h"
#include "core/project/CoverFile.h"
#include "core/ui/UserPort.h"
#include "render/SceneSettings.h"
#include "render/Textures.h"

namespace tessaly {

namespace {

std::string Text(MainState& state, const std::string& key) {
    const std::string& file = state.Session.LanguageFile;
    return file.empty() ? key : GetMessage(file, key);
}

void ShowError(MainState& state, const std::string& text) {
    state.Port().ShowMessage(MessageKind::Error, text, "", MessageButtons::Ok);
}

std::string CurrentId(MainState& state) {
    TModelItem* item = state.CurrentEntry();
    return item ? item->Id : std::string();
}

// The scroll bars of sections 0x01..0x06, in the order their values are
// stored.
std::vector<ScrollBar*> ScrollBarsOf(MainControls& c, std::uint8_t tag) {
    switch (tag) {
        case cover_tag::CoverPosition:
            return {&c.ScrollBar4, &c.ScrollBar5, &c.ScrollBar10, &c.ScrollBar6};
        case cover_tag::Camera:
            return {&c.distanceSB, &c.rotateSB, &c.liftSB,
                    &c.ScrollBar9, &c.StrafeSB, &c.FrontBackSB};
        case cover_tag::FieldOfView:
            return {&c.ScrollBar11};
        case cover_tag::Light:
            return {&c.LightXSB, &c.LightYSB, &c.LightZSB};
        case cover_tag::CaseAngle:
            return {&c.caseAngleSB};
        case cover_tag::Dimensions:
            return {&c.BWidthSB, &c.BHeightSB, &c.BDepthSB};
        default:
            return {};
    }
}

CoverSection ScrollSection(MainControls& c, std::uint8_t tag) {
    std::vector<std::int32_t> values;
    for (ScrollBar* bar : ScrollBarsOf(c, tag)) values.push_back(bar->Position);
    return ValuesSection(tag, std::move(values));
}

// The shape sections a project and a template share: type, options, cover
// position, camera and light (the options go first, as the readers expect
// the type before them).
void AddShapeSections(MainState& state, std::vector<CoverSection>& out, bool project) {
    MainControls& c = state.Controls;
    const std::string id = CurrentId(state);
    out.push_back(TypeSection(TypeCode(id)));
    if (id == "cbox") out.push_back(ScrollSection(c, cover_tag::Dimensions));
    if (id == "cdcase" || id == "dvdcase") out.push_back(ScrollSection(c, cover_tag::CaseAngle));
    if (project && id == "flatbook")
        out.push_back(ValuesSection(cover_tag::SpineColor,
                                    {static_cast<std::int32_t>(state.Cover.SpineColor)}));
    if (project && (id == "spiral1" || id == "spiral2"))
        out.push_back(ValuesSection(cover_tag::SpiralColor,
                                    {static_cast<std::int32_t>(state.Cover.SpiralColor)}));
}

void AddViewSections(MainControls& c, std::vector<CoverSection>& out) {
    for (std::uint8_t tag :
         {cover_tag::CoverPosition, cover_tag::Camera, cover_tag::FieldOfView, cover_tag::Light})
        out.push_back(ScrollSection(c, tag));
}

void ApplyScrollSection(MainControls& c, const CoverSection& s) {
    const auto bars = ScrollBarsOf(c, s.Tag);
    for (std::size_t i = 0; i < bars.size() && i < s.Values.size(); ++i)
        bars[i]->SetPosition(s.Values[i]);
}

void ApplyType(MainState& state, std::uint8_t code) {
    state.Cover.Entry = state.Session.Catalogue.EntryForCode(code);
    state.Controls.ModelsComboBox.Select(state.Cover.Entry - 1);
}

// The cover type the reader stands at when a 0x6C section comes: the entry of
// the last type section, or the current one.
int BooksAt(MainState& state, const std::vector<CoverSection>& before) {
    std::string id = CurrentId(state);
    for (auto it = before.rbegin(); it != before.rend(); ++it)
        if (it->Tag == cover_tag::Type) {
            const ModelCatalogue& cat = state.Session.Catalogue;
            const int entry = cat.EntryForCode(it->Code);
            id = entry >= 1 && entry <= cat.Count ? cat.Item(entry).Id : std::string();
            break;
        }
    const CoverType* type = FindCoverType(id);
    return type ? type->Books : 0;
}

void SetObjectsColor(MainState& state, const char* object, Color24 color) {
    if (TmodelEMO* m = state.CurrentModel()) {
        const Rgb c = ColorToFloats(color);
        m->SetColorByName(object, c[0], c[1], c[2], 1.0f);
    }
}

std::string CutShortText(const std::string& path, const CutShortSection& cut) {
    std::ostringstream text;
    text << path << ": the file ends inside its section " << TagName(cut.Tag) << " (tag 0x"
         << std::hex << static_cast<int>(cut.Tag) << std::dec << ") that starts at byte "
         << cut.TagOffset << "; the file is " << cut.FileSize << " bytes long";
    return text.str();
}

// "<path>: the project is damaged: its image Image1 (.jpg) is incomplete,
// 1200 of 5000 bytes": one line for each embedded image the file cuts short.
std::vector<std::string> IncompleteImages(const std::string& path, const ParsedCoverFile& file) {
    std::vector<std::string> texts;
    static const char* const kSlotNames[4] = {"Image1", "Image2", "Image3", "Floor"};
    for (const CoverSection& s : file.Sections)
        for (std::size_t k = 0; k < s.Images.size(); ++k) {
            const ImageRecord& r = s.Images[k];
            if (!r.CutShort) continue;
            std::string name;
            if (s.Tag == cover_tag::BookImages)
                name = "Book" + std::to_string(k / 3 + 1) + "Image" + std::to_string(k % 3 + 1);
            else if (s.Tag >= cover_tag::Image1 && s.Tag <= cover_tag::FloorImage)
                name = kSlotNames[s.Tag - cover_tag::Image1];
            else
                name = std::string(TagName(s.Tag));
            texts.push_back(path + ": the project is damaged: its image " + name + " (" +
                            r.Extension + ") is incomplete, " + std::to_string(r.Bytes.size()) +
                            " of " + std::to_string(r.DeclaredLength) + " bytes");
        }
    return texts;
}

bool ReadFileReporting(MainState& state, const std::string& path,
                       std::vector<std::uint8_t>& bytes) {
    try {
        bytes = ReadWholeFile(path);
        return true;
    } catch (const std::exception& e) {
        ShowError(state, e.what());
        return false;
    }
}

// Loads a working copy into a face slot or reports it as missing.
void LoadFace(MainState& state, int slot, const std::string& path) {
    state.Session.ImagePaths[slot] = path;
    if (FileExists(path)) {
        state.Controls.Image(slot + 1).SetPicture(path);
        state.Session.SetFaceImage(slot, path);
    } else
        ShowMessageKey(state, "filenotfound", "\r\n" + path);
}

void LoadFloor(MainState& state, const std::string& path) {
    RenderSession& session = state.Session;
    session.FloorPath = path;
    if (!FileExists(path)) {
        ShowMessageKey(state, "filenotfound", "\r\n" + path);
        return;
    }
    state.Controls.Background.SetPicture(path);
    if (const auto error = ReplaceTextureFromPicture(path, session.TheScene.Floor.Texture))
        ShowError(state, *error);
}

}  // namespace

std::vector<CoverSection> ViewSections(MainState& state) {
    std::vector<CoverSection> sections;
    AddViewSections(state.Controls, sections);
    return sections;
}

void ShowStatusKey(MainState& state, const std::string& key) {
    state.Port().ShowStatus(0, Text(state, key), key);
}

void ShowMessageKey(MainState& state, const std::string& key, const std::string& suffix) {
    state.Port().ShowMessage(MessageKind::Error, Text(state, key) + suffix, "", MessageButtons::Ok,
                             key);
}

bool WriteCoverProject(MainState& state, const std::string& path) {
    RenderSession& session = state.Session;
    static const char* const kMissing[3] = {"im1notfound", "im2notfound", "im3notfound"};
    for (int i = 0; i < 3; ++i)
        if (!FileExists(session.ImagePaths[i])) {
            ShowMessageKey(state, kMissing[i]);
            return false;
        }
    MainControls& c = state.Controls;
    const std::string id = CurrentId(state);
    const CoverType* type = FindCoverType(id);
    const int books = type ? type->Books : 0;
    try {
        // The image files are read whole first: a floor or book image that
        // cannot be read stops the saving before anything is written.
        std::vector<std::vector<std::uint8_t>> files;
        std::vector<std::string> names;
        auto add = [&](const std::string& file) {
            files.push_back(ReadWholeFile(file));
            names.push_back(file);
        };
        for (int i = 0; i < 3; ++i) add(session.ImagePaths[i]);
        add(session.FloorPath);
        for (int b = 0; b < books; ++b)
            for (int i = 0; i < 3; ++i) add(session.BookPaths[b][i]);
        auto record = [&](std::size_t k) {
            return ImageRecord{FileExtension(names[k]), static_cast<std::int32_t>(files[k].size()),
                               files[k], false};
        };

        std::vector<CoverSection> sections;
        AddShapeSections(state, sections, true);
        const std::uint8_t imageTags[4] = {cover_tag::Image1, cover_tag::Image2, cover_tag::Image3,
                                           cover_tag::FloorImage};
        for (std::size_t k = 0; k < 4; ++k)
            sections.push_back(ImageSection(imageTags[k], {record(k)}));
        std::vector<ImageRecord> bookRecords;
        for (std::size_t k = 4; k < files.size(); ++k) bookRecords.push_back(record(k));
        sections.push_back(ImageSection(cover_tag::BookImages, std::move(bookRecords)));
        AddViewSections(c, sections);
        sections.push_back(ValuesSection(cover_tag::Floor,
                                         {static_cast<std::int32_t>(c.FloorShape.Color)},
                                         c.FloorCheckBox.Checked));
        sections.push_back(ValuesSection(cover_tag::Reflection, {c.ReflexionSB.Position}));
        sections.push_back(
            ValuesSection(cover_tag::Background, {static_cast<std::int32_t>(c.BgColor.Color)}));
        sections.push_back(ValuesSection(cover_tag::LightShadow,
                                         {static_cast<std::int32_t>(c.LColorShape.Color),
                                          c.ShadowSB.Position, c.AmbientSB.Position},
                                         c.ShadowCheck.Checked));
        WriteFileAtomically(path, [&](std::ostream& out) {
            WriteCoverFile(out, CoverFileKind::Project, sections);
        });
    } catch (const std::exception& e) {
        ShowError(state, e.what());
        return false;
    }
    state.Cover.Modified = false;
    state.ProjectFile = path;
    ++state.ProjectsWritten;
    return true;
}

bool ReadCoverProject(MainState& state, const std::string& path) {
    // Every problem met while opening the project is shown in one box.
    const MessageGroup group(state.Port());
    RenderSession& session = state.Session;
    MainControls& c = state.Controls;
    {
        std::error_code ec;
        std::filesystem::create_directories(session.ImagesFolder, ec);
        if (ec) {
            ShowError(state,
                      "cannot create the folder " + session.ImagesFolder + ": " + ec.message());
            return false;
        }
    }
    ShowStatusKey(state, "rngfl");
    std::vector<std::uint8_t> bytes;
    if (!ReadFileReporting(state, path, bytes)) return false;
    const ParsedCoverFile file = ParseCoverFile(
        bytes, CoverFileKind::Project,
        [&state](const std::vector<CoverSection>& before) { return BooksAt(state, before); });
    if (!file.MagicOk) {
        ShowMessageKey(state, "notvalidcover");
        return false;
    }

    std::array<std::string, 4> targets;  // Image1, Image2, Image3, Floor
    static const char* const kSlotNames[4] = {"Image1", "Image2", "Image3", "Floor"};
    int bookSets = 0;
    try {
        for (const CoverSection& s : file.Sections) {
            ShowStatusKey(state, "rngfl");
            if (!s.Known) continue;
            switch (s.Tag) {
                case cover_tag::Type:
                    ApplyType(state, s.Code);
                    break;
                case cover_tag::Image1:
                case cover_tag::Image2:
                case cover_tag::Image3:
                case cover_tag::FloorImage: {
                    const int k = s.Tag - cover_tag::Image1;
                    const ImageRecord& r = s.Images.at(0);
                    targets[k] = session.ImagesFolder + kSlotNames[k] + r.Extension;
                    WriteFileAtomically(targets[k], r.Bytes);
                    break;
                }
                case cover_tag::Floor:
                    c.FloorCheckBox.SetChecked(s.Flag);
                    ApplyFloorColor(state, static_cast<unsigned>(s.Values.at(0)));
                    break;
                case cover_tag::Reflection:
                    c.ReflexionSB.SetPosition(s.Values.at(0));
                    break;
                case cover_tag::Background:
                    ApplyBackgroundColor(state, static_cast<unsigned>(s.Values.at(0)));
                    break;
                case cover_tag::LightShadow:
                    ApplyLightColor(state, static_cast<unsigned>(s.Values.at(0)));
                    c.ShadowCheck.SetChecked(s.Flag);
                    c.ShadowSB.SetPosition(s.Values.at(1));
                    c.AmbientSB.SetPosition(s.Values.at(2));
                    break;
                case cover_tag::BookImages: {
                    ShowStatusKey(state, "lbai");
                    const CoverType* type = FindCoverType(CurrentId(state));
                    bookSets = type ? type->Books : 0;
                    for (std::size_t k = 0; k < s.Images.size() && k < 12; ++k) {
                        const int b = static_cast<int>(k / 3), i = static_cast<int>(k % 3);
                        const std::string target = session.ImagesFolder + "Book" +
                                                   std::to_string(b + 1) + "Image" +
                                                   std::to_string(i + 1) + s.Images[k].Extension;
                        session.BookPaths[b][i] = target;
                        WriteFileAtomically(target, s.Images[k].Bytes);
                    }
                    break;
                }
                case cover_tag::SpineColor:
                    state.Cover.SpineColor = static_cast<Color24>(s.Values.at(0));
                    c.SpineShape.SetColor(state.Cover.SpineColor);
                    SetObjectsColor(state, "Spine", state.Cover.SpineColor);
                    break;
                case cover_tag::SpiralColor:
                    state.Cover.SpiralColor = static_cast<Color24>(s.Values.at(0));
                    c.SpiralShape.SetColor(state.Cover.SpiralColor);
                    SetObjectsColor(state, "Spira", state.Cover.SpiralColor);
                    break;
                default:
                    ApplyScrollSection(c, s);
                    break;
            }
        }
    } catch (const std::exception& e) {
        ShowError(state, e.what());
        return false;
    }
    if (file.CutShort) {
        ShowError(state, CutShortText(path, *file.CutShort));
        return false;
    }

    // The images that are there are used, a short one as far as it goes; the
    // user is told the file is damaged and which images are incomplete.
    for (const std::string& text : IncompleteImages(path, file))
        state.Port().ShowMessage(MessageKind::Warning, text, "", MessageButtons::Ok,
                                 kDamagedProjectKey);

    // The pictures of one project share a budget of decoded pixels, so a
    // project cannot hold more work than its cover needs.
    const PixelBudgetScope budget;
    ShowStatusKey(state, "lngi");
    for (int i = 0; i < 3; ++i) LoadFace(state, i, targets[i]);
    LoadFloor(state, targets[3]);
    SelectCover(state, state.Cover.Entry);
    for (int b = 0; b < bookSets; ++b)
        for (int i = 0; i < 3; ++i) {
            const std::string& book = session.BookPaths[b][i];
            if (FileExists(book)) {
                c.BookImage(b + 1, i + 1).SetPicture(book);
                session.SetBookImage(b, i, book);
            } else
                ShowMessageKey(state, "filenotfound", "\r\n" + book);
        }
    SelectCover(state, state.Cover.Entry);
    EnableSlotsAfterOpening(state, CurrentId(state));
    ShowStatusKey(state, "done");
    state.Cover.Modified = false;
    state.ProjectFile = path;
    ++state.ProjectsRead;
    return true;
}

bool WriteTemplate(MainState& state, const std::string& path) {
    std::vector<CoverSection> sections;
    AddShapeSections(state, sections, false);
    AddViewSections(state.Controls, sections);
    try {
        WriteFileAtomically(path, CoverFileBytes(CoverFileKind::Template, sections));
    } catch (const std::exception& e) {
        ShowError(state, e.what());
        return false;
    }
    state.TemplateFile = path;
    ++state.TemplatesUsed;
    return true;
}

bool ReadTemplate(MainState& state, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFileReporting(state, path, bytes)) return false;
    const ParsedCoverFile file = ParseCoverFile(bytes, CoverFileKind::Template);
    if (!file.MagicOk) {
        ShowMessageKey(state, "notvalidtemplate");
        return false;
    }
    for (const CoverSection& s : file.Sections) {
        if (!s.Known) continue;
        if (s.Tag == cover_tag::Type)
            ApplyType(state, s.Code);
        else
            ApplyScrollSection(state.Controls, s);
    }
    if (file.CutShort) {
        ShowError(state, CutShortText(path, *file.CutShort));
        return false;
    }
    state.TemplateFile = path;
    ++state.TemplatesUsed;
    return true;
}

void SaveeCover1Click(MainState& state) {
    if (auto path = state.Port().ChooseFileName("SaveCoverDialog")) WriteCoverProject(state, *path);
}

bool OfferToSaveChanges(MainState& state) {
    if (!state.Cover.Modified) return true;
    const MessageAnswer answer = state.Port().ShowMessage(
        MessageKind::Confirmation, Text(state, "sceco"), "", MessageButtons::YesNoCancel, "sceco");
    if (answer == MessageAnswer::Cancel) return false;
    if (answer == MessageAnswer::Yes) SaveeCover1Click(state);
    return true;
}

void OpeneCover1Click(MainState& state) {
    if (!OfferToSaveChanges(state)) return;
    if (auto path = state.Port().ChooseFileName("OpenCoverDialog")) ReadCoverProject(state, *path);
}

void SaveTemplate1Click(MainState& state) {
    if (auto path = state.Port().ChooseFileName("SaveTemplateDialog")) WriteTemplate(state, *path);
}

void OpenTemplate1Click(MainState& state) {
    if (auto path = state.Port().ChooseFileName("OpenTemplateDialog")) ReadTemplate(state, *path);
}

}  // namespace tessaly
