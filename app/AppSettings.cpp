#include "app/AppSettings.h"

#include "platform/base/Resources.h"

BOOL SettingOnUnlessFalse(const CString& text) { return text.CompareNoCase("F") != 0; }

BOOL SettingOnOnlyIfTrue(const CString& text) { return text.CompareNoCase("T") == 0; }

CString HelpFileFromDirectory(const CString& directory)
{
    int cut = directory.ReverseFind('\\');
    if (cut < 0)
        cut = directory.ReverseFind(':');
    const CString folder = cut < 0 ? directory : directory.Left(cut);
    return folder + "\\Tune Steward.chm";
}

CString ResourceLibraryName(LCID locale)
{
    CString name;
    name.Format("TSRES%03x.DLL", static_cast<unsigned>(PRIMARYLANGID(static_cast<LANGID>(locale))));
    return name;
}
