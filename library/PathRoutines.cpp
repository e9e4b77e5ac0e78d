#include "library/PathRoutines.h"

#include "platform/base/PathApi.h"

namespace {

CString Text(LPCTSTR text) { return CString(text != nullptr ? text : ""); }

} // namespace

CString ConcatPath(LPCTSTR a, LPCTSTR b) { return Text(b) + Text(a); }

CString TailOfPath(LPCTSTR path, LPCTSTR prefix)
{
    const CString text = Text(path);
    const int prefixLength = Text(prefix).GetLength();
    if (text.GetLength() > prefixLength)
        return text.Mid(prefixLength);
    return text;
}

CString FolderOfPath(LPCTSTR path)
{
    const CString text = Text(path);
    const int last = text.ReverseFind('\\');
    if (last <= 0)
        return CString();
    return text.Left(last + 1);
}

CString FileNameWithExtension(LPCTSTR path) { return FileNameOfPath(path) + ExtensionOfPath(path); }

CString FileNameOfPath(LPCTSTR path)
{
    char name[_MAX_FNAME] {};
    _splitpath(Text(path), nullptr, nullptr, name, nullptr);
    return CString(name);
}

CString ExtensionOfPath(LPCTSTR path)
{
    char extension[_MAX_EXT] {};
    _splitpath(Text(path), nullptr, nullptr, nullptr, extension);
    return CString(extension);
}

CString ParentFolder(LPCTSTR path)
{
    const CString text = Text(path);
    int cut = text.ReverseFind('\\');
    if (cut < 0)
        cut = text.ReverseFind(':');
    if (cut < 0)
        return text;
    return text.Left(cut);
}

CString MakeFileNameSafe(LPCTSTR fileName)
{
    CString safe = Text(fileName);
    safe.Replace(' ', '_');
    safe.Replace('#', 'a');
    return safe;
}
