#pragma once
// A frame that hands its non-client messages, its mouse messages while a caption control tracks and
// the extended system commands to a root message filter, the way the toolkit's view frames do. It
// records the system commands and extended commands that reach it.

#include <vector>

#include "toolkit/frames/ISECMsgFilterHost.h"
#include "toolkit/frames/SECFrameWnd.h"
#include "toolkit/frames/SECMsgFilter.h"
#include "toolkit/frames/ScxInfo.h"

template<class Base> class FilteredFrameT : public Base, public ISECMsgFilterHost {
public:
    struct ExCommand {
        UINT nCommand;
        nsSysCommandEx::ScxInfo info;
    };

    SECMsgFilter m_root { this, -1 };
    std::vector<WPARAM> m_sysCommands;
    std::vector<ExCommand> m_exCommands;
    // Extended commands are only recorded, not filtered.
    bool m_bRecordOnly { false };

    SECMsgFilter* GetRootMsgFilter() override { return &m_root; }

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT lResult = 0;
        switch (nMsg) {
        case WM_NCHITTEST:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP:
        case WM_NCRBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            if (m_root.Filter(nMsg, wParam, lParam, &lResult) & SECMsgFilter::kHandled)
                return lResult;
            break;
        case WM_NCPAINT:
        case WM_NCACTIVATE:
        case WM_SETTEXT: {
            // The caption first, then the controls over it.
            const LRESULT lDefault = Base::WindowProc(nMsg, wParam, lParam);
            m_root.Filter(nMsg, wParam, lParam, &lResult);
            return lDefault;
        }
        case WM_SYSCOMMAND:
            m_sysCommands.push_back(wParam & 0xFFF0);
            return 0;
        default:
            break;
        }
        if (nMsg == nsSysCommandEx::GetSysCommandExMessage()) {
            m_exCommands.push_back({ static_cast<UINT>(wParam), *reinterpret_cast<nsSysCommandEx::ScxInfo*>(lParam) });
            if (!m_bRecordOnly)
                m_root.Filter(nMsg, wParam, lParam, &lResult);
            // Nothing of this frame may be touched here: the command can have destroyed it.
            return lResult;
        }
        return Base::WindowProc(nMsg, wParam, lParam);
    }
};

using FilteredFrame = FilteredFrameT<SECFrameWnd>;
