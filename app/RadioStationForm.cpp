#include "app/RadioStationForm.h"

#include "app/TuneStewardIds.h"
#include "platform/afx/AfxDDX.h"

namespace {

void ExchangeText(CDataExchange* pDX, int id, CString& value, int maxChars)
{
    DDX_Text(pDX, id, value);
    if (maxChars > 0)
        DDV_MaxChars(pDX, value, maxChars);
}

} // namespace

void RadioStationForm::ExchangeStationFields(CDataExchange* pDX, int categoryId, int maxChars)
{
    ExchangeText(pDX, IDC_RADIO_STATION, m_strStation, maxChars);
    ExchangeText(pDX, IDC_RADIO_CALL_SIGN, m_strCallSign, maxChars);
    ExchangeText(pDX, IDC_RADIO_LOCATION, m_strLocation, maxChars);
    DDX_Control(pDX, categoryId, m_category);
    DDX_Text(pDX, IDC_RADIO_SUBCATEGORY, m_nSubCategory);
    DDX_Text(pDX, IDC_RADIO_STREAM_TYPE, m_nStreamType);
    ExchangeText(pDX, IDC_RADIO_URL, m_strURL, maxChars);
    ExchangeText(pDX, IDC_RADIO_BANDWIDTH, m_strBandwidth, maxChars);
}

void RadioStationForm::ClearStationFields()
{
    m_strStation.Empty();
    m_strCallSign.Empty();
    m_strLocation.Empty();
    m_strURL.Empty();
    m_strBandwidth.Empty();
    m_nSubCategory = 0;
    m_nStreamType = 0;
}
