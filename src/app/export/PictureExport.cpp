#include "app/export/PictureExport.h"

#include <algorithm>
#include <sstream>

#include "app/RenderSession.h"
#include "core/images/RowPipe.h"
#include "core/io/FileIO.h"

namespace tessaly {

namespace {

constexpr int kExportPasses = 8;

// Rows into a picture in memory, top row first.
class PictureRows : public RowWriter {
  public:
    explicit PictureRows(RgbaImage& picture) : picture_(picture) {}
    void WriteRow(const std::uint8_t* rgba) override {
        const std::size_t bytes = static_cast<std::size_t>(picture_.width) * 4;
        if (row_ >= picture_.height) throw RowWriteError("more rows than the picture has");
        std::copy(rgba, rgba + bytes,
                  picture_.pixels.begin() + static_cast<std::ptrdiff_t>(row_ * bytes));
        ++row_;
    }
    void Finish() override {
        if (row_ != picture_.height) throw RowWriteError("the picture lacks rows");
    }

  private:
    RgbaImage& picture_;
    int row_ = 0;
};

}  // namespace

void ExportPictureFile(RenderSession& session, const ExportChoices& choices,
                       const std::string& path, const TileProgress& progress) {
    const PixelSize size = ExportPixels(choices);
    const RowFormat format = ExportRowFormat(choices);
    PictureRequest request;
    request.width = size.width;
    request.height = size.height;
    request.passes = kExportPasses;
    request.transparent = format.alpha;
    WriteFileAtomically(path, [&](std::ostream& out) {
        auto rows =
            EncodeInBackground(MakeRowWriter(format, size.width, size.height, out), size.width);
        RenderPicture(session.Frames, *session.Context, session.TheScene, request, *rows, progress);
    });
}

RgbaImage RenderTransparentPicture(RenderSession& session, int width, int height) {
    RgbaImage picture(width, height);
    PictureRows rows(picture);
    PictureRequest request;
    request.width = width;
    request.height = height;
    request.passes = kExportPasses;
    request.transparent = true;
    RenderPicture(session.Frames, *session.Context, session.TheScene, request, rows);
    return picture;
}

std::vector<std::uint8_t> PngWithAlpha(const RgbaImage& picture) {
    RowFormat format;
    format.type = PictureFileType::Png;
    format.alpha = true;
    std::ostringstream out;
    auto rows = MakeRowWriter(format, picture.width, picture.height, out);
    const std::size_t bytes = static_cast<std::size_t>(picture.width) * 4;
    for (int r = 0; r < picture.height; ++r)
        rows->WriteRow(picture.pixels.data() + static_cast<std::size_t>(r) * bytes);
    rows->Finish();
    const std::string text = out.str();
    return {text.begin(), text.end()};
}

}  // namespace tessaly
