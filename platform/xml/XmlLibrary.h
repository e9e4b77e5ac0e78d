#pragma once
// What every object of this library shares about libxml2 and libxslt: their one-time set-up (which
// shuts every door to files and the network), the capture of their error messages, and the text
// conversions between BSTRs and the UTF-8 they work in.

#include <string>
#include <string_view>

#include "platform/com/OleAuto.h"

struct _xmlError;
struct _xsltSecurityPrefs;

namespace platform::xml {

// Sets libxml2 and libxslt up once for the process: parser initialised for threads, external
// entities and DTDs refused whoever asks for them, stylesheet errors routed to XmlErrorCapture.
void EnsureXmlLibrary();
// The stylesheet security settings every transform runs with: no file or network access at all.
_xsltSecurityPrefs* ForbiddingSecurityPrefs();

// Collects the errors libxml2 and libxslt report on this thread while it lives, instead of their
// printing them; restores the thread's previous handlers when it ends.
class XmlErrorCapture {
public:
    XmlErrorCapture();
    ~XmlErrorCapture();
    XmlErrorCapture(const XmlErrorCapture&) = delete;
    XmlErrorCapture& operator=(const XmlErrorCapture&) = delete;

    // The first error's message (trimmed), or fallback when nothing was reported.
    std::string Message(std::string_view fallback) const;
    bool Empty() const { return m_messages.empty(); }

    // Handlers for libxml2's and libxslt's callbacks.
    static void OnStructuredError(void* capture, _xmlError* error);
    static void OnGenericError(void* capture, const char* format, ...);

private:
    void Add(std::string message);

    std::string m_messages;
    XmlErrorCapture* m_outer { nullptr };
    void* m_savedStructuredContext { nullptr };
    void (*m_savedStructured)(void*, _xmlError*) { nullptr };
};

// An [in] BSTR as UTF-8, read up to its zero (a null BSTR is the empty text).
std::string Utf8OfBstr(const OLECHAR* text);
// A new BSTR of UTF-8 text.
BSTR BstrOfUtf8(std::string_view text);
// Stores a new BSTR of UTF-8 text through an [out] pointer; E_POINTER when it is null.
HRESULT CopyOutText(BSTR* out, std::string_view text);

} // namespace platform::xml
