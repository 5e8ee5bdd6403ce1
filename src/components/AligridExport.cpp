// The display grid's texts as an HTML table, as separated text, and back.
#include <climits>
#include <cstdio>
#include <stdexcept>

#include "components/Aligrid.h"
#include "components/AligridClipboard.h"
#include "platform/AtomicFile.h"
#include "platform/Utf8.h"

namespace {

// The named Latin-1 entities of HTML 4, for the characters 160 to 255 in code order.
constexpr const char* kLatin1Entities[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

std::string HtmlEscaped(const std::string& text) {
    std::string out;
    for (size_t pos = 0; pos < text.size();) {
        const size_t start = pos;
        const char32_t c = utf8::Next(text, pos);
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c >= 160 && c <= 255) out += std::string("&") + kLatin1Entities[c - 160] + ";";
        else out.append(text, start, pos - start);
    }
    return out;
}

std::string HtmlColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    return text;
}

int HtmlSize(int points) {
    if (points < 0) return 7;
    if (points <= 5) return 1;
    if (points <= 9) return 2;
    if (points == 10) return 3;
    if (points <= 13) return 4;
    if (points <= 17) return 5;
    if (points <= 21) return 6;
    return 7;
}

std::string HtmlAlign(TMyAlign align) {
    if (align == alRight) return " align=right";
    if (align == alCenter) return " align=center";
    return " align=left";
}

std::string HtmlCellText(const std::string& text, const TMyFont* placeFont) {
    if (!placeFont || !placeFont->IsChanged()) return HtmlEscaped(text);
    const TFont& f = placeFont->Font();
    std::string open = "   <font color=#" + HtmlColor(f.Color) + " size=" + std::to_string(HtmlSize(f.Size())) + ">";
    std::string close;
    if (f.Has(fsBold)) open += "<b>", close = "</b>" + close;
    if (f.Has(fsItalic)) open += "<i>", close = "</i>" + close;
    if (f.Has(fsStrikeOut)) open += "<strike>", close = "</strike>" + close;
    if (f.Has(fsUnderline)) open += "<u>", close = "</u>" + close;
    return open + HtmlEscaped(text) + close + "</font>";
}

}  // namespace

std::shared_ptr<TMemoryStream> TStringAlignGrid::Contents2HTML(std::shared_ptr<TMemoryStream> stream) const {
    if (!stream) stream = std::make_shared<TMemoryStream>();
    std::string html = "<table bgcolor=#" + HtmlColor(Color) + ">\r\n";
    for (int r = 0; r < RowCount(); ++r) {
        html += " <tr>\r\n";
        for (int c = 0; c < ColCount(); ++c) {
            const char* tag = is_fixed(c, r) ? "th" : "td";
            html += std::string("  <") + tag + HtmlAlign(GetAlignCell(c, r));
            if (GetColorCell(c, r) != Color) html += " bgcolor=#" + HtmlColor(GetColorCell(c, r));
            html += ">\r\n";
            if (!Cells(c, r).empty()) html += HtmlCellText(Cells(c, r), GetPlaceFontCellComplete(c, r));
            html += std::string("  </") + tag + ">";
        }
        html += " </tr>\r\n";
    }
    html += "</table>\r\n";
    stream->Write(html);
    return stream;
}

namespace {

TGridRect CompletedForExport(TGridRect rect, int cols, int rows) {
    if (rect.Right < rect.Left || rect.Right < 0) rect.Right = cols - 1;
    if (rect.Left < 0) rect.Left = 0;
    if (rect.Bottom < rect.Top || rect.Bottom < 0) rect.Bottom = rows - 1;
    if (rect.Top < 0) rect.Top = 0;
    return rect;
}

// Lines end at CR, LF or CR LF.
std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

}  // namespace

std::shared_ptr<TMemoryStream> TStringAlignGrid::Contents2CSV(std::shared_ptr<TMemoryStream> stream, char separator,
                                                              TGridRect rect) const {
    if (!stream) stream = std::make_shared<TMemoryStream>();
    rect = CompletedForExport(rect, ColCount(), RowCount());
    for (int r = rect.Top; r <= rect.Bottom; ++r) {
        std::string line;
        for (int c = rect.Left; c <= rect.Right; ++c) line += Cells(c, r) + separator;
        stream->Write(line + "\r\n");
    }
    return stream;
}

void TStringAlignGrid::CSV2Contents(TMemoryStream* stream, char separator, TGridRect rect) {
    if (!stream) return;
    if (rect.Top < 0) rect.Top = 0;
    if (rect.Left < 0) rect.Left = 0;
    if (rect.Bottom < rect.Top) rect.Bottom = INT_MAX;
    if (rect.Right < rect.Left) rect.Right = INT_MAX;
    const std::vector<std::string> lines = TextLines(stream->DataString());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (static_cast<long long>(rect.Top) + static_cast<long long>(i) > rect.Bottom) break;
        const int row = rect.Top + static_cast<int>(i);
        if (row >= RowCount()) SetRowCount(RowCount() + 1);
        const std::string line = lines[i] + separator;
        size_t pos = 0;
        for (int col = rect.Left; col <= rect.Right && line.size() - pos >= 2; ++col) {
            if (col >= ColCount()) SetColCount(ColCount() + 1);
            const size_t end = line.find(separator, pos);
            SetCells(col, row, line.substr(pos, end - pos));
            pos = end + 1;
            if (col == INT_MAX) break;
        }
    }
}

void TStringAlignGrid::SaveToFile(const std::string& name) const {
    const auto stream = Contents2CSV(nullptr, '\x07', WholeGrid());
    if (!WriteFileAtomically(name, stream->DataString()))
        throw std::runtime_error("Datei " + name + " kann nicht geschrieben werden");
}

void TStringAlignGrid::LoadFromFile(const std::string& name) {
    std::string content;
    // A grid file of more than 64 MB is no grid this program wrote.
    const FileReadResult result = ReadWholeFile(name, 64u << 20, content);
    if (result != FileReadResult::Read) throw std::runtime_error("Datei " + name + " kann nicht gelesen werden");
    TMemoryStream stream;
    stream.Write(content);
    CSV2Contents(&stream, '\x07', WholeGrid());
}

void TStringAlignGrid::Contents2CSVClipboard(char separator, TGridRect rect) const {
    Stream2Clipboard(*Contents2CSV(nullptr, separator, rect), CF_TEXT);
}

void TStringAlignGrid::ClipboardCSV2Contents(char separator, TGridRect rect) {
    TMemoryStream stream;
    Clipboard2Stream(stream, CF_TEXT);
    CSV2Contents(&stream, separator, rect);
}

void TStringAlignGrid::CopyToClipboard() const { Contents2CSVClipboard('\x07', WholeGrid()); }

void TStringAlignGrid::CopyFromClipboard() { ClipboardCSV2Contents('\x07', WholeGrid()); }
