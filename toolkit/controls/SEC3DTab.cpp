#include "toolkit/controls/SEC3DTab.h"

#include "platform/user/WinUser.h"

IMPLEMENT_DYNAMIC(SEC3DTab, SECTab)

SEC3DTab::~SEC3DTab()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}
