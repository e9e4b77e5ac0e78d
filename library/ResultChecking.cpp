#include "library/ResultChecking.h"

#include "library/AppRoutines.h"
#include "library/ImportBatch.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/CString.h"
#include "platform/base/Debug.h"
#include "platform/base/MessageBox.h"
#include "platform/com/ComError.h"

namespace {

// The already-closed result of a record set's Close: closing twice is harmless.
constexpr HRESULT kObjectClosed = static_cast<HRESULT>(0x800A0E78u);

CString Text(BSTR text) { return CString(static_cast<LPCWSTR>(text)); }

} // namespace

void CheckResult(HRESULT result, const char* file, int line, _Connection* connection)
{
    if (result >= 0)
        return;
    SetBusy(false);
    CString where;
    where.Format("%s(%d): result 0x%08x\n", file != nullptr ? file : "?", line, static_cast<unsigned>(result));
    OutputDebugStringA(where);
    ShowRunTimeError(result);
    ShowProviderErrors(connection);
    throw _com_error(result);
}

void CheckResult(HRESULT result, _Connection* connection, const std::source_location& where)
{
    CheckResult(result, where.file_name(), static_cast<int>(where.line()), connection);
}

void ShowRunTimeError(HRESULT result)
{
    CString text;
    text.FormatMessage("Run-time error. Error#: %1!d!(%2!x!)", static_cast<LONG>(result), static_cast<ULONG>(result));
    const ImportBatch::Prompt prompt(ImportBatch::Prompt::Kind::Failure);
    AfxMessageBox(text, MB_OK);
}

bool ShowProviderErrors(_Connection* connection)
{
    if (connection == nullptr)
        return true;
    ErrorsPtr errors;
    LONG count = 0;
    if (FAILED(connection->get_Errors(&errors)) || errors == nullptr || FAILED(errors->get_Count(&count)))
        return false;
    CString blocks;
    for (LONG i = 0; i < count; ++i) {
        ErrorPtr error;
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        if (FAILED(errors->get_Item(index, &error)) || error == nullptr)
            return false;
        LONG number = 0;
        LONG helpContext = 0;
        LONG nativeError = 0;
        BSTR source = nullptr;
        BSTR description = nullptr;
        BSTR helpFile = nullptr;
        BSTR sqlState = nullptr;
        const bool read = SUCCEEDED(error->get_Number(&number)) && SUCCEEDED(error->get_Source(&source))
            && SUCCEEDED(error->get_Description(&description)) && SUCCEEDED(error->get_HelpFile(&helpFile))
            && SUCCEEDED(error->get_HelpContext(&helpContext)) && SUCCEEDED(error->get_SQLState(&sqlState))
            && SUCCEEDED(error->get_NativeError(&nativeError));
        CString block;
        if (read) {
            block.FormatMessage("Error# = %1!d!\n\t Number      = %2!ld! (0x%3!lx!)\n\t Source      = %4!s!\n\t Description = "
                                "%5!s!\n\t HelpFile    = %6!s!\n\t HelpContext = %7!ld! (0x%8!lx!)\n\t SQLState    = %9!s!\n\t "
                                "NativeError = %10!ld! (0x%11!lx!)\n\n",
                static_cast<int>(i), number, number, Text(source), Text(description), Text(helpFile), helpContext,
                helpContext, Text(sqlState), nativeError, nativeError);
        }
        SysFreeString(source);
        SysFreeString(description);
        SysFreeString(helpFile);
        SysFreeString(sqlState);
        if (!read)
            return false;
        blocks += block;
    }
    if (!blocks.IsEmpty()) {
        const ImportBatch::Prompt prompt(ImportBatch::Prompt::Kind::Failure);
        AfxMessageBox(blocks, MB_OK);
    }
    return true;
}

void ThrowComError(HRESULT result)
{
    if (result < 0)
        throw _com_error(result);
}

bool CloseChecked(_Recordset* recordset, bool reraise, _Connection* connection)
{
    const HRESULT closed = recordset->Close();
    if (closed == kObjectClosed)
        return true;
    try {
        CheckResult(closed, connection);
    } catch (const _com_error& error) {
        if (reraise)
            throw _com_error(error.Error());
        return false;
    }
    return true;
}

bool CloseRecordset(_Recordset** recordset, bool reraise, _Connection* connection)
{
    if (recordset == nullptr || *recordset == nullptr)
        return true;
    if (!CloseChecked(*recordset, reraise, connection))
        return false;
    (*recordset)->Release();
    *recordset = nullptr;
    return true;
}
