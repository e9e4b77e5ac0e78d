#pragma once
// The tags of one MP3 file over TagLib: ID3v2 first, ID3v1 and APE where the file has them. Changes go
// into the ID3v2 tag (made when missing) and into an ID3v1 tag the file already has, and reach the file
// only through Save, which keeps the file's ID3v2 version (2.3 stays 2.3) and its other tags.

#include <memory>
#include <string>
#include <string_view>

namespace TagLib {
class FileStream;
namespace MPEG {
class File;
}
} // namespace TagLib

namespace platform::cddb {

class Mp3TagFile {
public:
    enum class Field { Album, Artist, Title, Year, Comment, Genre, Label };

    // Opens a file by its program path; null, with a description in error, when it cannot be read or holds
    // no MPEG audio.
    static std::unique_ptr<Mp3TagFile> Open(std::string_view programPath, bool readOnly, std::string& error);
    ~Mp3TagFile();

    // A tag text in UTF-8, empty when absent. The genre keeps numeric references as "(n)".
    std::string Text(Field field) const;
    void SetText(Field field, const std::string& text);
    // The text of an ID3v2 frame; empty when absent.
    std::string Frame(std::string_view frameId) const;
    // Replaces every ID3v2 frame frameId by one text frame.
    void SetFrame(std::string_view frameId, const std::string& text);
    // Writes the tags into the file; false when opened read-only or when the write fails.
    bool Save();

private:
    Mp3TagFile() = default;

    std::unique_ptr<TagLib::FileStream> m_stream;
    std::unique_ptr<TagLib::MPEG::File> m_file;
    bool m_readOnly { true };
};

// True for the id of an ID3v2 text frame that SetFrame can write ("TLAN"; not "TXXX").
bool IsWritableTextFrameId(std::string_view frameId);

} // namespace platform::cddb
