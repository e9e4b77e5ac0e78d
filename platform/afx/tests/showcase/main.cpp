// The showcase as a program of its own, to be looked at through a real display.
#include "platform/afx/tests/showcase/CShowcaseApp.h"

int main()
{
    CShowcaseApp app;
    return AfxWinMain(nullptr, nullptr, const_cast<LPTSTR>(""), SW_SHOWMAXIMIZED);
}
