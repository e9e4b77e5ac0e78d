#include "platform/gdi/PictureCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>

namespace platform::gdi {

namespace {

constexpr std::int64_t kMaxPixels = Surface::kMaxPixels;

struct JpegError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void jpegFail(j_common_ptr info)
{
    auto* err = reinterpret_cast<JpegError*>(info->err);
    std::longjmp(err->jump, 1);
}

void jpegQuiet(j_common_ptr, int) { }

struct GifReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

int gifRead(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* r = static_cast<GifReader*>(gif->UserData);
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), r->size - r->pos);
    std::memcpy(buffer, r->data + r->pos, n);
    r->pos += n;
    return static_cast<int>(n);
}

} // namespace

namespace {

struct JpegJob {
    jpeg_decompress_struct info {};
    JpegError err {};
    std::vector<std::uint32_t> pixels;
    int width { 0 };
    int height { 0 };
};

// Only trivially destructible locals live in this frame, so the decoder's error jump back into it
// skips no destructor; everything else is in the job its caller owns.
bool runJpeg(JpegJob& job, const std::uint8_t* data, std::size_t size)
{
    jpeg_decompress_struct& info = job.info;
    info.err = jpeg_std_error(&job.err.base);
    job.err.base.error_exit = jpegFail;
    job.err.base.emit_message = jpegQuiet;
    if (setjmp(job.err.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK
        || std::int64_t { info.image_width } * info.image_height > kMaxPixels || info.image_width > 32767
        || info.image_height > 32767) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    job.width = static_cast<int>(info.output_width);
    job.height = static_cast<int>(info.output_height);
    job.pixels.resize(static_cast<std::size_t>(job.width) * job.height);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
        info.output_width * static_cast<JDIMENSION>(info.output_components), 1);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        jpeg_read_scanlines(&info, row, 1);
        std::uint32_t* dst = job.pixels.data() + static_cast<std::size_t>(y) * job.width;
        for (int x = 0; x < job.width; ++x) {
            const JSAMPLE* p = row[0] + x * info.output_components;
            dst[x] = info.output_components >= 3 ? (std::uint32_t { p[0] } << 16) | (p[1] << 8) | p[2]
                                                 : (std::uint32_t { p[0] } * 0x010101u);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

bool decodeJpeg(const std::uint8_t* data, std::size_t size, DecodedImage& out)
{
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    auto job = std::make_unique<JpegJob>();
    if (!runJpeg(*job, data, size))
        return false;
    out = DecodedImage {};
    out.width = job->width;
    out.height = job->height;
    out.bitsPerPixel = 24;
    out.pixels = std::move(job->pixels);
    return true;
}

bool decodeGif(const std::uint8_t* data, std::size_t size, DecodedImage& out)
{
    if (!data || size < 6 || std::memcmp(data, "GIF", 3) != 0)
        return false;
    GifReader reader { data, size, 0 };
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, gifRead, &error);
    if (!gif)
        return false;
    bool ok = DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0 && gif->SWidth > 0 && gif->SHeight > 0
        && std::int64_t { gif->SWidth } * gif->SHeight <= kMaxPixels;
    if (ok) {
        const SavedImage& frame = gif->SavedImages[0];
        const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
        ok = map != nullptr;
        if (ok) {
            int transparent = -1;
            GraphicsControlBlock gcb;
            if (DGifSavedExtensionToGCB(gif, 0, &gcb) == GIF_OK)
                transparent = gcb.TransparentColor;
            DecodedImage image;
            image.width = gif->SWidth;
            image.height = gif->SHeight;
            image.bitsPerPixel = 8;
            auto colour = [&](int index) -> std::uint32_t {
                if (index < 0 || index >= map->ColorCount)
                    return 0;
                const GifColorType& c = map->Colors[index];
                return (std::uint32_t { c.Red } << 16) | (c.Green << 8) | c.Blue;
            };
            image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, colour(gif->SBackGroundColor));
            for (int i = 0; i < map->ColorCount; ++i)
                image.colorTable.push_back(RGBQUAD { map->Colors[i].Blue, map->Colors[i].Green, map->Colors[i].Red, 0 });
            const GifImageDesc& d = frame.ImageDesc;
            for (int y = 0; y < d.Height; ++y)
                for (int x = 0; x < d.Width; ++x) {
                    const int px = d.Left + x, py = d.Top + y;
                    if (px < 0 || py < 0 || px >= image.width || py >= image.height)
                        continue;
                    const int index = frame.RasterBits[static_cast<std::size_t>(y) * d.Width + x];
                    if (index == transparent)
                        continue;
                    image.pixels[static_cast<std::size_t>(py) * image.width + px] = colour(index);
                }
            out = std::move(image);
        }
    }
    DGifCloseFile(gif, &error);
    return ok;
}

bool decodePicture(const std::uint8_t* data, std::size_t size, DecodedImage& out)
{
    if (!data || size < 4)
        return false;
    if (data[0] == 'B' && data[1] == 'M')
        return decodeBmpFile(data, size, out);
    if (data[0] == 0xFF && data[1] == 0xD8)
        return decodeJpeg(data, size, out);
    if (std::memcmp(data, "GIF", 3) == 0)
        return decodeGif(data, size, out);
    return false;
}

} // namespace platform::gdi
