#include "core/model/ModelCatalogue.h"

#include <algorithm>
#include <new>
#include <utility>

#include "core/io/FileIO.h"
#include "core/model/CoverTypes.h"

namespace tessaly {

namespace {

// Splits text into lines at LF, dropping a CR before it, and counts them.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // The next line; false at the end of the text.
    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const std::size_t end = std::min(text_.find('\n', pos_), text_.size());
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = end + 1;
        ++number_;
        return true;
    }
    // Number of the line last returned (1-based).
    int Number() const { return number_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

[[noreturn]] void Fail(const std::string& source, int line, const std::string& what) {
    throw CatalogueError(source + ", line " + std::to_string(line) + ": " + what);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads a decimal integer (optional sign) after any blanks from the front of
// `rest`. The number must end at a blank or the end of the line.
bool TakeInt(std::string_view& rest, std::int32_t& value) {
    std::size_t i = 0;
    while (i < rest.size() && IsBlank(rest[i])) ++i;
    bool negative = false;
    if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) negative = rest[i++] == '-';
    const std::size_t digitsStart = i;
    std::int64_t v = 0;
    while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9') {
        v = v * 10 + (rest[i] - '0');
        if (v > std::int64_t{INT32_MAX} + 1) return false;
        ++i;
    }
    if (i == digitsStart) return false;
    if (i < rest.size() && !IsBlank(rest[i])) return false;
    if (negative) v = -v;
    if (v > INT32_MAX) return false;
    value = static_cast<std::int32_t>(v);
    rest.remove_prefix(i);
    return true;
}

std::string Quoted(std::string_view s) {
    // Long or binary lines are shortened so that a message stays readable.
    std::string out = "\"";
    for (char c : s.substr(0, 60)) out += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
    if (s.size() > 60) out += "...";
    return out + "\"";
}

// The model file name of a catalogue line, with "/" separators, refused when
// it would reach outside the "Tsym" folder.
std::string CheckedModelFile(std::string_view raw, const std::string& source, int line) {
    std::string name(raw);
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.empty()) Fail(source, line, "the model file name is missing");
    if (name.find('\0') != std::string::npos)
        Fail(source, line, "the model file name " + Quoted(raw) + " is not a valid file name");
    const bool drive = name.size() >= 2 && name[1] == ':' &&
                       ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    if (name[0] == '/' || drive)
        Fail(source, line,
             "the model file " + Quoted(raw) + " must be a path inside the model folder");
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        if (std::string_view(name).substr(start, end - start) == "..")
            Fail(source, line,
                 "the model file " + Quoted(raw) + " must not leave the model folder (\"..\")");
        start = end + 1;
    }
    return name;
}

class CatalogueParser {
  public:
    CatalogueParser(ModelCatalogue& catalogue, std::string_view text, const std::string& source,
                    const CatalogueModelLoader& loadModel, const DisplayNameSource& displayName)
        : cat_(catalogue),
          lines_(text),
          source_(source),
          loadModel_(loadModel),
          displayName_(displayName) {}

    void Parse() {
        std::string_view line;
        if (!lines_.Next(line)) throw CatalogueError(source_ + ": the file is empty");
        std::int32_t count = 0;
        std::string_view rest = line;
        if (!TakeInt(rest, count))
            Fail(source_, 1, "the entry count " + Quoted(line) + " is not a whole number");
        if (count < 1)
            Fail(source_, 1,
                 "the entry count is " + std::to_string(count) + "; at least one is needed");
        if (count > kMaxCatalogueEntries) {
            cat_.Warnings.push_back(source_ + " lists " + std::to_string(count) +
                                    " covers; only the first " +
                                    std::to_string(kMaxCatalogueEntries) + " are used.");
            count = kMaxCatalogueEntries;
        }

        for (int i = 1; i <= count; ++i) {
            // A separator line that is missing or does not begin with "-" ends
            // the catalogue quietly.
            if (!lines_.Next(line) || line.empty() || line[0] != '-') {
                cat_.EndedEarly = true;
                break;
            }
            ReadEntry(i);
        }
        if (cat_.Count == 0) throw CatalogueError(source_ + ": the file holds no cover entry");
    }

  private:
    // Reads the 11 lines after an entry's separator and, once all of them
    // are good, adds the entry.
    void ReadEntry(int entry) {
        TModelItem item;
        item.Id = std::string(Require(entry, "the cover type identifier"));
        const std::string_view fileLine = Require(entry, "the model file name");
        const std::string file = CheckedModelFile(fileLine, source_, lines_.Number());
        LoadModel(file, item.Model);
        ReadGroup(entry, 1, item.Caption1, item.Visible1, item.ThumbWidth1, item.ThumbHeight1);
        ReadGroup(entry, 2, item.Caption2, item.Visible2, item.ThumbWidth2, item.ThumbHeight2);
        ReadGroup(entry, 3, item.Caption3, item.Visible3, item.ThumbWidth3, item.ThumbHeight3);

        std::string name = displayName_ ? displayName_(item.Id) : item.Id;
        cat_.Items[static_cast<std::size_t>(cat_.Count)] = std::move(item);
        cat_.DisplayNames.push_back(std::move(name));
        ++cat_.Count;
    }

    void ReadGroup(int entry, int group, std::string& caption, bool& visible, std::int32_t& width,
                   std::int32_t& height) {
        const std::string g = std::to_string(group);
        caption = std::string(Require(entry, "the caption of image group " + g));
        const std::string_view visibility = Require(entry, "the visibility of image group " + g);
        visible = !visibility.empty() && visibility[0] == '+';
        const std::string_view sizeLine = Require(entry, "the thumbnail size of image group " + g);
        std::string_view rest = sizeLine;
        if (!TakeInt(rest, width) || !TakeInt(rest, height))
            Fail(source_, lines_.Number(),
                 "the thumbnail size " + Quoted(sizeLine) +
                     " is not two whole numbers separated by blanks");
        if (width < 0 || height < 0 || width > kMaxThumbSize || height > kMaxThumbSize)
            Fail(source_, lines_.Number(),
                 "the thumbnail size " + Quoted(sizeLine) + " is outside 0 to " +
                     std::to_string(kMaxThumbSize));
    }

    // The next line of entry `entry`; an error when the file ends before it.
    std::string_view Require(int entry, const std::string& what) {
        std::string_view line;
        if (!lines_.Next(line))
            Fail(source_, lines_.Number() + 1,
                 "the file ends inside entry " + std::to_string(entry) + " (" + what +
                     " is missing)");
        return line;
    }

    void LoadModel(const std::string& file, TmodelEMO& model) {
        const int line = lines_.Number();
        if (!loadModel_) return;
        try {
            loadModel_(file, model);
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception& e) {
            Fail(source_, line,
                 "the model file " + Quoted(file) + " cannot be loaded: " + e.what());
        }
    }

    ModelCatalogue& cat_;
    LineReader lines_;
    const std::string& source_;
    const CatalogueModelLoader& loadModel_;
    const DisplayNameSource& displayName_;
};

}  // namespace

TModelItem& ModelCatalogue::Item(int index) {
    if (index < 1 || index > kMaxCatalogueEntries)
        throw std::out_of_range("catalogue entry " + std::to_string(index) + " does not exist");
    return Items[static_cast<std::size_t>(index - 1)];
}

const TModelItem& ModelCatalogue::Item(int index) const {
    return const_cast<ModelCatalogue*>(this)->Item(index);
}

int ModelCatalogue::FindEntry(std::string_view id) const {
    int found = 1;
    for (int i = 1; i <= Count; ++i)
        if (Items[static_cast<std::size_t>(i - 1)].Id == id) found = i;
    return found;
}

int ModelCatalogue::EntryForCode(std::uint8_t code) const {
    const std::string_view id = IdentifierForCode(code);
    return id.empty() ? 1 : FindEntry(id);
}

void ModelCatalogue::RefreshDisplayNames(const DisplayNameSource& displayName) {
    DisplayNames.clear();
    for (int i = 1; i <= Count; ++i) {
        const std::string& id = Items[static_cast<std::size_t>(i - 1)].Id;
        DisplayNames.push_back(displayName ? displayName(id) : id);
    }
}

void ModelCatalogue::Clear() {
    for (TModelItem& item : Items) item = TModelItem{};
    Count = 0;
    DisplayNames.clear();
    Warnings.clear();
    EndedEarly = false;
}

void ParseModelCatalogue(ModelCatalogue& catalogue, std::string_view text,
                         const std::string& sourceName, const CatalogueModelLoader& loadModel,
                         const DisplayNameSource& displayName) {
    catalogue.Clear();
    // A byte order mark left by a text editor is not part of the count.
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
    CatalogueParser(catalogue, text, sourceName, loadModel, displayName).Parse();
}

void LoadModelCatalogue(ModelCatalogue& catalogue, const std::string& programFolder,
                        const TextureLoader& textureLoader, const DisplayNameSource& displayName) {
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const std::string path = folder + "Tsym/models.ini";
    catalogue.Clear();
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const FileError& e) {
        throw CatalogueError(path + ": the model catalogue cannot be read (" + e.what() + ")");
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ParseModelCatalogue(
        catalogue, text, path,
        [&](const std::string& file, TmodelEMO& model) {
            model.LoadFromFile(folder + "Tsym/" + file, textureLoader);
        },
        displayName);
}

}  // namespace tessaly
