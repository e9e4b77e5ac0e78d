#pragma once
// The text of a row or a cell: never set, asked of the owner (the callback value), or a copy the
// control owns. Pointers handed out stay valid until the text is set again.

#include <optional>
#include <string>

#include "platform/comctl/CommCtrl.h"

class SECListText {
public:
    bool IsCallback() const { return m_bCallback; }
    bool IsSet() const { return m_text.has_value(); }
    // The stored text; "" when never set or a callback.
    LPCTSTR Get() const { return m_text ? m_text->c_str() : ""; }
    // LPSTR_TEXTCALLBACK makes the text a callback; null clears it.
    void Set(LPCTSTR psz)
    {
        m_bCallback = psz == LPSTR_TEXTCALLBACK;
        if (m_bCallback || psz == nullptr)
            m_text.reset();
        else
            m_text = psz;
    }

private:
    bool m_bCallback { false };
    std::optional<std::string> m_text;
};
