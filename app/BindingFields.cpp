#include "app/BindingFields.h"

#include <string>

#include "library/AppRoutines.h"
#include "platform/afx/COleDateTime.h"
#include "platform/base/CodePage.h"

CString FieldText(const WCHAR* buffer, ULONG status)
{
    if (status != adFldOK || buffer == nullptr)
        return CString();
    return CString(platform::Utf16ToUtf8(std::u16string_view(buffer)).c_str());
}

void PutFieldText(WCHAR* buffer, int characters, ULONG& status, const CString& text)
{
    CopyToWideBuffer(buffer, text, characters);
    status = adFldOK;
}

long FieldLong(long value, ULONG status) { return status == adFldOK ? value : 0; }

BOOL FieldBool(VARIANT_BOOL value, ULONG status) { return status == adFldOK && value != VARIANT_FALSE; }

void PutFieldLong(long& field, ULONG& status, long value)
{
    field = value;
    status = adFldOK;
}

void PutFieldBool(VARIANT_BOOL& field, ULONG& status, BOOL value)
{
    field = value ? VARIANT_TRUE : VARIANT_FALSE;
    status = adFldOK;
}

void MarkRowModified(VARIANT_BOOL& modifyFlag, ULONG& modifyStatus, DATE& timeStamp, ULONG& timeStatus)
{
    PutFieldBool(modifyFlag, modifyStatus, TRUE);
    timeStamp = COleDateTime::GetCurrentTime();
    timeStatus = adFldOK;
}
