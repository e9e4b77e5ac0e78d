#include "sync/DeviceInfo.h"

#include "platform/base/CodePage.h"

namespace {

// A new BSTR copy of the text, null when it is empty.
HRESULT CopyOut(const std::string& text, BSTR* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = nullptr;
    if (text.empty())
        return S_OK;
    const std::u16string wide = platform::Utf8ToUtf16(text);
    *pVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *pVal ? S_OK : E_OUTOFMEMORY;
}

} // namespace

void DeviceInfo::SetTexts(const Texts& reply)
{
    m_texts = reply;
    if (m_texts.friendlyName.empty())
        m_texts.friendlyName = m_texts.serialNumber;
    const std::size_t colon = m_texts.ipAddress.find(':');
    if (colon != std::string::npos && colon != 0)
        m_texts.ipAddress.resize(colon);
    if (m_texts.udn.empty())
        m_texts.udn = "localhost";
}

HRESULT DeviceInfo::get_FriendlyName(BSTR* pVal) { return CopyOut(m_texts.friendlyName, pVal); }
HRESULT DeviceInfo::get_IPAddress(BSTR* pVal) { return CopyOut(m_texts.ipAddress, pVal); }
HRESULT DeviceInfo::get_OEMName(BSTR* pVal) { return CopyOut(m_texts.oemName, pVal); }
HRESULT DeviceInfo::get_SerialNumber(BSTR* pVal) { return CopyOut(m_texts.serialNumber, pVal); }
HRESULT DeviceInfo::get_ProductName(BSTR* pVal) { return CopyOut(m_texts.productName, pVal); }
HRESULT DeviceInfo::get_UDN(BSTR* pVal) { return CopyOut(m_texts.udn, pVal); }
