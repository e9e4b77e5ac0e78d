#include "app/CUIFieldDisplay.h"

CUIFieldDisplay::CUIFieldDisplay(BYTE visible, UINT captionId)
    : m_bVisible(visible)
    , m_nCaptionId(captionId)
{
    if (captionId != 0)
        m_strCaption.LoadString(captionId);
}
