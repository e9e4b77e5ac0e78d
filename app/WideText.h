#pragma once
// The program's texts as the component's calls take them: a new string holding the text's UTF-16 form.

#include "platform/afx/CString.h"
#include "platform/base/CodePage.h"
#include "platform/com/CComBSTR.h"

inline CComBSTR WideText(const CString& text) { return CComBSTR(platform::Utf8ToUtf16(text.GetString()).c_str()); }
