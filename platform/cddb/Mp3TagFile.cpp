#include "platform/cddb/Mp3TagFile.h"

#include "platform/base/Paths.h"

#include <taglib/apetag.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tfilestream.h>

#include <algorithm>

namespace platform::cddb {

namespace {

TagLib::String ToTagText(const std::string& text) { return TagLib::String(text, TagLib::String::UTF8); }
std::string FromTagText(const TagLib::String& text) { return text.to8Bit(true); }

const char* FrameIdOf(Mp3TagFile::Field field)
{
    switch (field) {
    case Mp3TagFile::Field::Album:
        return "TALB";
    case Mp3TagFile::Field::Artist:
        return "TPE1";
    case Mp3TagFile::Field::Title:
        return "TIT2";
    case Mp3TagFile::Field::Year:
        return "TDRC";
    case Mp3TagFile::Field::Genre:
        return "TCON";
    case Mp3TagFile::Field::Label:
        return "TPUB";
    case Mp3TagFile::Field::Comment:
        break;
    }
    return nullptr;
}

bool IsNumber(const TagLib::String& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The genre frame as one text. TagLib turns ID3v2.3 references such as "(17)" into the field "17"; they
// become "(17)" again, followed by the named genres, so "(17)" and "(255)Foo" read as they were written.
std::string GenreText(const TagLib::ID3v2::Frame& frame)
{
    const auto* text = dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(&frame);
    if (!text)
        return FromTagText(frame.toString());
    std::string references;
    std::string names;
    for (const TagLib::String& field : text->fieldList()) {
        if (IsNumber(field)) {
            references += "(" + FromTagText(field) + ")";
        } else if (!field.isEmpty()) {
            names += (names.empty() ? "" : " / ") + FromTagText(field);
        }
    }
    return references + names;
}

} // namespace

bool IsWritableTextFrameId(std::string_view frameId)
{
    return frameId.size() == 4 && frameId[0] == 'T' && frameId != "TXXX"
        && std::all_of(
            frameId.begin(), frameId.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

std::unique_ptr<Mp3TagFile> Mp3TagFile::Open(std::string_view programPath, bool readOnly, std::string& error)
{
    const std::string native = platform::ToNativePath(programPath);
    if (native.empty()) {
        error = "The file name is not valid.";
        return nullptr;
    }
    std::unique_ptr<Mp3TagFile> tags(new Mp3TagFile());
    tags->m_readOnly = readOnly;
    tags->m_stream = std::make_unique<TagLib::FileStream>(native.c_str(), readOnly);
    if (!tags->m_stream->isOpen() || (!readOnly && tags->m_stream->readOnly())) {
        error = readOnly ? "The file cannot be read." : "The file cannot be written.";
        return nullptr;
    }
    tags->m_file
        = std::make_unique<TagLib::MPEG::File>(tags->m_stream.get(), TagLib::ID3v2::FrameFactory::instance(), false);
    if (!tags->m_file->isValid() || !tags->m_file->isOpen() || tags->m_file->firstFrameOffset() < 0) {
        error = "The file holds no MPEG audio.";
        return nullptr;
    }
    return tags;
}

Mp3TagFile::~Mp3TagFile()
{
    // The file reads from the stream: it goes first.
    m_file.reset();
    m_stream.reset();
}

std::string Mp3TagFile::Text(Field field) const
{
    TagLib::ID3v2::Tag* id3v2 = m_file->ID3v2Tag();
    const char* frameId = FrameIdOf(field);
    if (id3v2 && frameId) {
        const TagLib::ID3v2::FrameList& frames = id3v2->frameListMap()[frameId];
        if (!frames.isEmpty()) {
            const std::string text
                = field == Field::Genre ? GenreText(*frames.front()) : FromTagText(frames.front()->toString());
            if (!text.empty())
                return text;
        }
    }
    const TagLib::Tag* tag = m_file->tag();
    switch (field) {
    case Field::Album:
        return FromTagText(tag->album());
    case Field::Artist:
        return FromTagText(tag->artist());
    case Field::Title:
        return FromTagText(tag->title());
    case Field::Comment:
        return FromTagText(tag->comment());
    case Field::Genre:
        return FromTagText(tag->genre());
    case Field::Year:
        return tag->year() ? std::to_string(tag->year()) : std::string();
    case Field::Label:
        break;
    }
    return {};
}

void Mp3TagFile::SetText(Field field, const std::string& text)
{
    if (field == Field::Comment)
        m_file->ID3v2Tag(true)->setComment(ToTagText(text));
    else
        SetFrame(FrameIdOf(field), text);

    // Players that read only the old tag see the same values.
    TagLib::ID3v1::Tag* id3v1 = m_file->ID3v1Tag();
    if (!id3v1)
        return;
    const TagLib::String value = ToTagText(text);
    switch (field) {
    case Field::Album:
        id3v1->setAlbum(value);
        break;
    case Field::Artist:
        id3v1->setArtist(value);
        break;
    case Field::Title:
        id3v1->setTitle(value);
        break;
    case Field::Comment:
        id3v1->setComment(value);
        break;
    case Field::Genre:
        id3v1->setGenre(value);
        break;
    case Field::Year:
        id3v1->setYear(static_cast<unsigned>(std::max(0, value.toInt())));
        break;
    case Field::Label:
        break;
    }
}

std::string Mp3TagFile::Frame(std::string_view frameId) const
{
    TagLib::ID3v2::Tag* id3v2 = m_file->ID3v2Tag();
    if (!id3v2 || frameId.size() != 4)
        return {};
    const TagLib::ID3v2::FrameList& frames = id3v2->frameListMap()[TagLib::ByteVector(frameId.data(), 4)];
    return frames.isEmpty() ? std::string() : FromTagText(frames.front()->toString());
}

void Mp3TagFile::SetFrame(std::string_view frameId, const std::string& text)
{
    const TagLib::ByteVector id(frameId.data(), static_cast<unsigned>(frameId.size()));
    TagLib::ID3v2::Tag* id3v2 = m_file->ID3v2Tag(true);
    id3v2->removeFrames(id);
    const TagLib::String value = ToTagText(text);
    auto frame = std::make_unique<TagLib::ID3v2::TextIdentificationFrame>(
        id, value.isLatin1() ? TagLib::String::Latin1 : TagLib::String::UTF16);
    frame->setText(value);
    id3v2->addFrame(frame.release());
}

bool Mp3TagFile::Save()
{
    if (m_readOnly)
        return false;
    int tags = TagLib::MPEG::File::ID3v2;
    if (m_file->hasID3v1Tag())
        tags |= TagLib::MPEG::File::ID3v1;
    if (m_file->hasAPETag())
        tags |= TagLib::MPEG::File::APE;
    const TagLib::ID3v2::Tag* id3v2 = m_file->ID3v2Tag();
    const auto version = id3v2 && id3v2->header()->majorVersion() == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4;
    return m_file->save(tags, TagLib::File::StripNone, version, TagLib::File::DoNotDuplicate);
}

} // namespace platform::cddb
