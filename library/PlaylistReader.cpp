#include "library/PlaylistReader.h"

#include <cstring>
#include <string>
#include <utility>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

} // namespace

PlaylistReader::PlaylistReader(std::FILE* file, CString listFolder)
    : m_file(file)
    , m_listFolder(std::move(listFolder))
{
}

PlaylistReader::Result PlaylistReader::Next(CString& path)
{
    for (;;) {
        CString line;
        const Result read = ReadPiece(line);
        if (read != Result::Entry)
            return read;
        line.Trim();
        if (line.IsEmpty() || line[0] == '#')
            continue;
        path = PathOfLine(line);
        return Result::Entry;
    }
}

PlaylistReader::Result PlaylistReader::ReadPiece(CString& line)
{
    char buffer[kPlaylistLinePiece + 1] {};
    if (!std::fgets(buffer, sizeof buffer, m_file))
        return std::ferror(m_file) ? Result::Error : Result::End;
    std::size_t length = std::strlen(buffer);
    if (length == kPlaylistLinePiece && buffer[length - 1] != '\n') {
        // A character cut at the piece's end is left for the next piece.
        std::size_t start = length;
        while (start > 0 && (static_cast<unsigned char>(buffer[start - 1]) & 0xC0) == 0x80)
            --start;
        if (start > 0 && static_cast<unsigned char>(buffer[start - 1]) >= 0xC0) {
            const unsigned char lead = static_cast<unsigned char>(buffer[start - 1]);
            const std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            const std::size_t have = length - (start - 1);
            if (have < needed && std::fseek(m_file, -static_cast<long>(have), SEEK_CUR) == 0)
                length = start - 1;
        }
    }
    line = CString(std::string(buffer, length).c_str());
    return Result::Entry;
}

CString PlaylistReader::PathOfLine(const CString& line) const
{
    const char* text = line.GetString();
    for (const char* p = text + 1; *p; ++p)
        if (IsSeparator(*p))
            return line;
    return m_listFolder + (IsSeparator(text[0]) ? line.Mid(1) : line);
}
