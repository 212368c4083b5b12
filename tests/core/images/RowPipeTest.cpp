// Rows encoded on another thread: the file is the very one the writer makes
// on its own, whatever the size of the picture against the pipe's chunks;
// the encoder's error reaches the drawing side; a picture given up midway
// ends the thread without finishing the file.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "core/images/RgbaImage.h"
#include "core/images/RowPipe.h"

namespace tessaly::test {
namespace {

RgbaImage Sample(int w, int h) {
    RgbaImage p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* q = p.Pixel(x, y);
            q[0] = static_cast<std::uint8_t>(x * 7 + y);
            q[1] = static_cast<std::uint8_t>(y * 23);
            q[2] = static_cast<std::uint8_t>(x ^ y);
            q[3] = 255;
        }
    return p;
}

void Feed(RowWriter& writer, const RgbaImage& image) {
    for (int i = 0; i < image.height; ++i)
        writer.WriteRow(image.Pixel(0, writer.BottomUp() ? image.height - 1 - i : i));
    writer.Finish();
}

TEST(RowPipe, InTheBackgroundEachWriterGivesItsOwnBytes) {
    // One row, a few chunks, and many chunks with the drawing held back.
    for (const auto& [w, h] : {std::pair{5, 1}, std::pair{300, 700}, std::pair{2000, 900}})
        for (PictureFileType type :
             {PictureFileType::Png, PictureFileType::Jpeg, PictureFileType::Bmp}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " type " +
                         std::to_string(int(type)));
            const RgbaImage image = Sample(w, h);
            RowFormat format;
            format.type = type;
            std::ostringstream direct, background;
            Feed(*MakeRowWriter(format, w, h, direct), image);
            auto writer = EncodeInBackground(MakeRowWriter(format, w, h, background), w);
            EXPECT_EQ(writer->BottomUp(), RowsBottomUp(format));
            Feed(*writer, image);
            EXPECT_EQ(background.str(), direct.str());
        }
}

// Counts rows and fails at row `failAt` (-1: never).
class CountingWriter : public RowWriter {
  public:
    CountingWriter(int failAt, std::atomic<int>& rows, std::atomic<bool>& finished)
        : failAt_(failAt), rows_(rows), finished_(finished) {}
    void WriteRow(const std::uint8_t*) override {
        if (rows_ == failAt_) throw RowWriteError("disk full");
        ++rows_;
    }
    void Finish() override { finished_ = true; }

  private:
    int failAt_;
    std::atomic<int>& rows_;
    std::atomic<bool>& finished_;
};

TEST(RowPipe, TheEncodersErrorStopsTheDrawingAndAnAbandonedPictureIsNotFinished) {
    const RgbaImage image = Sample(512, 1000);  // several chunks
    {
        std::atomic<int> rows{0};
        std::atomic<bool> finished{false};
        auto writer = EncodeInBackground(std::make_unique<CountingWriter>(3, rows, finished), 512);
        try {
            Feed(*writer, image);
            ADD_FAILURE() << "the error was lost";
        } catch (const RowWriteError& e) {
            EXPECT_STREQ(e.what(), "disk full");
        }
        EXPECT_FALSE(finished);
    }
    {
        std::atomic<int> rows{0};
        std::atomic<bool> finished{false};
        {
            auto writer =
                EncodeInBackground(std::make_unique<CountingWriter>(-1, rows, finished), 512);
            for (int y = 0; y < 600; ++y) writer->WriteRow(image.Pixel(0, y));
        }  // given up without Finish: the thread ends
        EXPECT_FALSE(finished);
        EXPECT_LE(rows, 600);
    }
    // A pipe whose encoding side fails first: the drawing side's next chunk
    // or its Close throws the encoder's error instead of waiting for ever.
    auto pipe = std::make_shared<RowPipe>(512);
    std::thread encoder([&] {
        std::vector<std::uint8_t> chunk;
        pipe->Take(chunk);
        pipe->Fail(std::make_exception_ptr(RowWriteError("encoder gone")));
    });
    auto rows = MakePipeRowWriter(pipe, false);
    // More rows than the pipe lets wait, so the drawing side must meet the error.
    EXPECT_THROW(Feed(*rows, Sample(512, 3000)), RowWriteError);
    encoder.join();
}

}  // namespace
}  // namespace tessaly::test
