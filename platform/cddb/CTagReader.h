#pragma once
// The tag reader: the tags of one MP3 file, loaded for reading (mode 1) or for writing (mode 0).

#include "platform/cddb/CDDBControl.h"
#include "platform/cddb/Mp3TagFile.h"
#include "platform/com/AtlBase.h"

#include <memory>

namespace platform::cddb {

class CTagReader : public CComObjectRootEx<CComSingleThreadModel>,
                   public CComCoClass<CTagReader, &CLSID_TagReader>,
                   public ITagReader {
public:
    DECLARE_REGISTRY_RESOURCEID(101)

    BEGIN_COM_MAP(CTagReader)
    COM_INTERFACE_ENTRY(ITagReader)
    END_COM_MAP()

    HRESULT LoadFile(BSTR path, LONG mode) override;
    HRESULT get_AlbumText(BSTR* text) override { return GetText(Mp3TagFile::Field::Album, text); }
    HRESULT get_ArtistText(BSTR* text) override { return GetText(Mp3TagFile::Field::Artist, text); }
    HRESULT get_TrackTitleText(BSTR* text) override { return GetText(Mp3TagFile::Field::Title, text); }
    HRESULT get_YearText(BSTR* text) override { return GetText(Mp3TagFile::Field::Year, text); }
    HRESULT get_CommentText(BSTR* text) override { return GetText(Mp3TagFile::Field::Comment, text); }
    HRESULT get_GenreText(BSTR* text) override { return GetText(Mp3TagFile::Field::Genre, text); }
    HRESULT get_LabelText(BSTR* text) override { return GetText(Mp3TagFile::Field::Label, text); }
    HRESULT put_AlbumText(BSTR text) override { return PutText(Mp3TagFile::Field::Album, text); }
    HRESULT put_ArtistText(BSTR text) override { return PutText(Mp3TagFile::Field::Artist, text); }
    HRESULT put_TrackTitleText(BSTR text) override { return PutText(Mp3TagFile::Field::Title, text); }
    HRESULT put_YearText(BSTR text) override { return PutText(Mp3TagFile::Field::Year, text); }
    HRESULT put_CommentText(BSTR text) override { return PutText(Mp3TagFile::Field::Comment, text); }
    HRESULT put_GenreText(BSTR text) override { return PutText(Mp3TagFile::Field::Genre, text); }
    HRESULT put_LabelText(BSTR text) override { return PutText(Mp3TagFile::Field::Label, text); }
    HRESULT GetFrame(BSTR frameId, BSTR* text) override;
    HRESULT SetFrame(BSTR frameId, BSTR text) override;
    HRESULT SaveTags() override;

private:
    HRESULT GetText(Mp3TagFile::Field field, BSTR* text);
    HRESULT PutText(Mp3TagFile::Field field, BSTR text);
    HRESULT NotLoaded();

    std::unique_ptr<Mp3TagFile> m_tags;
};

} // namespace platform::cddb
