#include "platform/xml/XmlLibrary.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxslt/security.h>
#include <libxslt/xsltutils.h>

#include "platform/base/CodePage.h"

namespace platform::xml {
namespace {

thread_local XmlErrorCapture* t_capture = nullptr;
xsltSecurityPrefsPtr g_securityPrefs = nullptr;

// Every DTD, external entity, imported stylesheet or document() the libraries would fetch comes
// through here, and none is fetched: documents are read from the text they are given, nothing more.
xmlParserInputPtr RefuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

// libxslt's error handler is process-wide; it hands each message to the capture of the thread
// that raised it.
void ForwardGenericError(void*, const char* format, ...)
{
    if (!t_capture)
        return;
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    XmlErrorCapture::OnGenericError(t_capture, "%s", text);
}

} // namespace

void EnsureXmlLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalEntity);
        xsltSetGenericErrorFunc(nullptr, ForwardGenericError);
        g_securityPrefs = xsltNewSecurityPrefs();
        for (xsltSecurityOption option : { XSLT_SECPREF_READ_FILE, XSLT_SECPREF_WRITE_FILE,
                 XSLT_SECPREF_CREATE_DIRECTORY, XSLT_SECPREF_READ_NETWORK, XSLT_SECPREF_WRITE_NETWORK })
            xsltSetSecurityPrefs(g_securityPrefs, option, xsltSecurityForbid);
        xsltSetDefaultSecurityPrefs(g_securityPrefs);
    });
}

xsltSecurityPrefsPtr ForbiddingSecurityPrefs()
{
    EnsureXmlLibrary();
    return g_securityPrefs;
}

XmlErrorCapture::XmlErrorCapture()
    : m_outer(t_capture)
    , m_savedStructuredContext(xmlStructuredErrorContext)
    , m_savedStructured(xmlStructuredError)
{
    t_capture = this;
    xmlSetStructuredErrorFunc(this, &XmlErrorCapture::OnStructuredError);
}

XmlErrorCapture::~XmlErrorCapture()
{
    xmlSetStructuredErrorFunc(m_savedStructuredContext, m_savedStructured);
    t_capture = m_outer;
}

std::string XmlErrorCapture::Message(std::string_view fallback) const
{
    return m_messages.empty() ? std::string(fallback) : m_messages;
}

void XmlErrorCapture::Add(std::string message)
{
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    if (m_messages.empty())
        m_messages = std::move(message);
}

void XmlErrorCapture::OnStructuredError(void* capture, xmlErrorPtr error)
{
    if (!capture || !error || !error->message)
        return;
    std::string message = error->message;
    if (error->line > 0)
        message = "line " + std::to_string(error->line) + ": " + message;
    static_cast<XmlErrorCapture*>(capture)->Add(std::move(message));
}

void XmlErrorCapture::OnGenericError(void* capture, const char* format, ...)
{
    if (!capture)
        return;
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    static_cast<XmlErrorCapture*>(capture)->Add(text);
}

std::string Utf8OfBstr(const OLECHAR* text)
{
    return text ? platform::Utf16ToUtf8(std::u16string_view(text)) : std::string();
}

BSTR BstrOfUtf8(std::string_view text)
{
    const std::u16string wide = platform::Utf8ToUtf16(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

HRESULT CopyOutText(BSTR* out, std::string_view text)
{
    if (!out)
        return E_POINTER;
    *out = BstrOfUtf8(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

} // namespace platform::xml
