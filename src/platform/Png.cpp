#include "platform/Png.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/FileOperations.h"
#include "platform/TemporaryFile.h"

#include <unistd.h>

#if __has_include(<png.h>)
#include <png.h>
#define MAROVELKA_HAVE_PNG 1
#endif

#ifdef MAROVELKA_HAVE_PNG

namespace {

bool WriteStream(const TBitmap& bitmap, FILE* file) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.Width());
    image.height = static_cast<png_uint_32>(bitmap.Height());
    image.format = PNG_FORMAT_BGR;
    const bool ok = png_image_write_to_stdio(&image, file, 0, bitmap.ScanLine(0), bitmap.Width() * 3, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

}  // namespace

bool SavePng(const TBitmap& bitmap, const std::string& path) {
    if (bitmap.Empty()) return false;
    TemporaryFile temporary;
    const int fd = temporary.Create(path);
    if (fd < 0) return false;
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        return false;
    }
    bool ok = WriteStream(bitmap, file) && std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    ok = (std::fclose(file) == 0) && ok;
    return ok && temporary.PutInPlace(SystemFileOperations());
}

#else

bool SavePng(const TBitmap&, const std::string&) { return false; }

#endif
