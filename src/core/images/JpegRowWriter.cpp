// JPEG, a row at a time: baseline, the given quality, the resolution as a
// JFIF density in dots per inch. The alpha byte of each row is ignored.
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>

#include "core/images/RowWriter.h"

namespace tessaly {

namespace {

// The library reports a fatal error by calling error_exit, which must not
// return: it jumps back to the setjmp of the Guarded call that entered the
// library. The functions run under Guarded hold no objects with destructors.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void IgnoreMessage(j_common_ptr, int) {}

struct Destination {
    jpeg_destination_mgr pub;
    std::ostream* out;
    bool failed;
    JOCTET buffer[65536];
};

bool Flush(Destination* dest, std::size_t count) {
    try {
        dest->out->write(reinterpret_cast<const char*>(dest->buffer),
                         static_cast<std::streamsize>(count));
        return static_cast<bool>(*dest->out);
    } catch (...) {
        return false;
    }
}

void InitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<Destination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = sizeof dest->buffer;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<Destination*>(cinfo->dest);
    if (!Flush(dest, sizeof dest->buffer)) {
        dest->failed = true;
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = sizeof dest->buffer;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<Destination*>(cinfo->dest);
    if (!Flush(dest, sizeof dest->buffer - dest->pub.free_in_buffer)) {
        dest->failed = true;
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
}

struct StartArgs {
    jpeg_compress_struct* cinfo;
    Destination* dest;
    int width, height, quality, dpi;
};

void Start(void* p) {
    auto* a = static_cast<StartArgs*>(p);
    jpeg_compress_struct* cinfo = a->cinfo;
    a->dest->pub.init_destination = InitDestination;
    a->dest->pub.empty_output_buffer = EmptyOutputBuffer;
    a->dest->pub.term_destination = TermDestination;
    cinfo->dest = &a->dest->pub;
    cinfo->image_width = static_cast<JDIMENSION>(a->width);
    cinfo->image_height = static_cast<JDIMENSION>(a->height);
    cinfo->input_components = 4;
    cinfo->in_color_space = JCS_EXT_RGBA;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, a->quality, TRUE);
    if (a->dpi > 0) {
        cinfo->write_JFIF_header = TRUE;
        cinfo->density_unit = 1;  // dots per inch
        cinfo->X_density = static_cast<UINT16>(a->dpi);
        cinfo->Y_density = static_cast<UINT16>(a->dpi);
    }
    jpeg_start_compress(cinfo, TRUE);
}

struct RowArgs {
    jpeg_compress_struct* cinfo;
    JSAMPROW row;
};

void WriteOneRow(void* p) {
    auto* a = static_cast<RowArgs*>(p);
    jpeg_write_scanlines(a->cinfo, &a->row, 1);
}

void End(void* p) {
    jpeg_finish_compress(static_cast<jpeg_compress_struct*>(p));
}

[[gnu::noinline]] bool Guarded(ErrorManager* err, void (*fn)(void*), void* args) {
    if (setjmp(err->jump)) return false;
    fn(args);
    return true;
}

class JpegRowWriter : public RowWriter {
  public:
    JpegRowWriter(const RowFormat& format, int width, int height, std::ostream& out) {
        if (width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
            throw RowWriteError("Picture too large for JPEG");
        jpeg_std_error(&err_.pub);
        err_.pub.error_exit = ErrorExit;
        err_.pub.emit_message = IgnoreMessage;
        err_.message[0] = '\0';
        cinfo_.err = &err_.pub;
        jpeg_create_compress(&cinfo_);
        dest_.out = &out;
        dest_.failed = false;
        StartArgs args{&cinfo_, &dest_, width, height, format.jpegQuality, format.dpi};
        if (!Guarded(&err_, Start, &args)) {
            const std::string message = Message();
            jpeg_destroy_compress(&cinfo_);
            throw RowWriteError(message);
        }
    }
    ~JpegRowWriter() override { jpeg_destroy_compress(&cinfo_); }

    void WriteRow(const std::uint8_t* rgba) override {
        RowArgs args{&cinfo_, const_cast<JSAMPLE*>(rgba)};
        if (!Guarded(&err_, WriteOneRow, &args)) throw RowWriteError(Message());
    }

    void Finish() override {
        if (!Guarded(&err_, End, &cinfo_)) throw RowWriteError(Message());
        dest_.out->flush();
        if (!*dest_.out) throw RowWriteError("Error writing JPEG data");
    }

  private:
    std::string Message() const {
        return dest_.failed ? std::string("Error writing JPEG data")
                            : std::string("JPEG encoder error: ") + err_.message;
    }

    ErrorManager err_{};
    jpeg_compress_struct cinfo_{};
    Destination dest_{};
};

}  // namespace

std::unique_ptr<RowWriter> MakeJpegRowWriter(const RowFormat& format, int width, int height,
                                             std::ostream& out) {
    return std::make_unique<JpegRowWriter>(format, width, height, out);
}

}  // namespace tessaly
