// Decodes arbitrary bytes as the pictures, bitmaps, icons and cursors the program reads from files:
// a damaged file may only fail to load, never crash, read past its bytes, leak or exhaust memory.
//
// Input: one byte choosing the form, then the file's bytes.

#include <cstddef>
#include <cstdint>
#include <fstream>

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/Images.h"
#include "platform/gdi/PictureCodec.h"
#include "platform/gdi/WinGdi.h"

namespace {

enum class Form { Picture, Icon, Cursor, Bitmap, PackedDib, PictureFile, Count };

void WriteFile(const char* name, const std::uint8_t* data, std::size_t size)
{
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void DecodePackedDib(const std::uint8_t* data, std::size_t size)
{
    // Header and colour table first, the bits right behind them, as a clipboard or resource DIB.
    if (size < sizeof(BITMAPINFOHEADER))
        return;
    std::vector<std::uint8_t> aligned(data, data + size);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(aligned.data());
    const std::size_t header = platform::gdi::dibHeaderSize(info, size);
    if (header == 0 || header > size)
        return;
    platform::gdi::DecodedImage image;
    platform::gdi::decodeDib(info, header, aligned.data() + header, size - header, image);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto form = static_cast<Form>(data[0] % static_cast<int>(Form::Count));
    ++data;
    --size;
    switch (form) {
    case Form::Picture: {
        platform::gdi::DecodedImage image;
        platform::gdi::decodePicture(data, size, image);
        SIZE pixels {};
        if (HBITMAP bitmap = platform::gdi::DecodePicture(data, size, &pixels))
            DeleteObject(bitmap);
        break;
    }
    case Form::Icon:
        WriteFile("fuzz.ico", data, size);
        if (HANDLE icon = LoadImage(nullptr, "fuzz.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE))
            DestroyIcon(static_cast<HICON>(icon));
        break;
    case Form::Cursor:
        WriteFile("fuzz.cur", data, size);
        if (HANDLE cursor = LoadImage(nullptr, "fuzz.cur", IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE))
            DestroyCursor(static_cast<HCURSOR>(cursor));
        break;
    case Form::Bitmap:
        WriteFile("fuzz.bmp", data, size);
        if (HANDLE bitmap = LoadImage(nullptr, "fuzz.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION))
            DeleteObject(bitmap);
        break;
    case Form::PackedDib:
        DecodePackedDib(data, size);
        break;
    case Form::PictureFile:
    case Form::Count: {
        WriteFile("fuzz.jpg", data, size);
        SIZE pixels {};
        if (HBITMAP bitmap = platform::gdi::LoadPictureFile("fuzz.jpg", &pixels))
            DeleteObject(bitmap);
        break;
    }
    }
    return 0;
}
