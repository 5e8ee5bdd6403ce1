// Imports arbitrary bytes as separated text into a display grid, through the clipboard too.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/Aligrid.h"
#include "components/AligridClipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const char separator = static_cast<char>(data[0]);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    TStringAlignGrid grid;
    TMemoryStream stream;
    stream.Write(text);
    grid.CSV2Contents(&stream, separator, TStringAlignGrid::WholeGrid());
    grid.Contents2CSV(nullptr, separator, TStringAlignGrid::WholeGrid());
    Stream2Clipboard(stream, CF_TEXT);
    grid.ClipboardCSV2Contents(separator, TGridRect{1, 1, 3, 3});
    return 0;
}
