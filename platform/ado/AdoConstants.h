#pragma once
// The enumerations of the data-access objects, with their published values: column and parameter
// types, cursor and lock types, command types, states, and the error numbers the callers test for.

#include <cstdint>

enum DataTypeEnum : std::int32_t {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adIDispatch = 9,
    adError = 10,
    adBoolean = 11,
    adVariant = 12,
    adIUnknown = 13,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adUnsignedSmallInt = 18,
    adUnsignedInt = 19,
    adBigInt = 20,
    adUnsignedBigInt = 21,
    adFileTime = 64,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adUserDefined = 132,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adChapter = 136,
    adVarNumeric = 139,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

enum CursorTypeEnum : std::int32_t {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

enum LockTypeEnum : std::int32_t {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

enum CommandTypeEnum : std::int32_t {
    adCmdUnspecified = -1,
    adCmdText = 1,
    adCmdTable = 2,
    adCmdStoredProc = 4,
    adCmdUnknown = 8,
    adCmdFile = 256,
    adCmdTableDirect = 512,
};

enum ExecuteOptionEnum : std::int32_t {
    adOptionUnspecified = -1,
    adAsyncExecute = 0x10,
    adAsyncFetch = 0x20,
    adExecuteNoRecords = 0x80,
};

enum CursorLocationEnum : std::int32_t {
    adUseNone = 1,
    adUseServer = 2,
    adUseClient = 3,
};

enum ObjectStateEnum : std::int32_t {
    adStateClosed = 0,
    adStateOpen = 1,
    adStateConnecting = 2,
    adStateExecuting = 4,
    adStateFetching = 8,
};

enum ParameterDirectionEnum : std::int32_t {
    adParamUnknown = 0,
    adParamInput = 1,
    adParamOutput = 2,
    adParamInputOutput = 3,
    adParamReturnValue = 4,
};

enum BookmarkEnum : std::int32_t {
    adBookmarkCurrent = 0,
    adBookmarkFirst = 1,
    adBookmarkLast = 2,
};

enum GetRowsOptionEnum : std::int32_t {
    adGetRowsRest = -1,
};

enum StringFormatEnum : std::int32_t {
    adClipString = 2,
};

enum PersistFormatEnum : std::int32_t {
    adPersistADTG = 0,
    adPersistXML = 1,
};

enum AffectEnum : std::int32_t {
    adAffectCurrent = 1,
    adAffectGroup = 2,
    adAffectAll = 3,
};

enum FieldStatusEnum : std::int32_t {
    adFldOK = 0,
    adFldCantConvertValue = 2,
    adFldNull = 3,
    adFldTruncated = 4,
};

// Error numbers; the failed result is 0x800A0000 | number.
enum ErrorValueEnum : std::int32_t {
    adErrInvalidArgument = 3001,
    adErrNoCurrentRecord = 3021,
    adErrIllegalOperation = 3219,
    adErrFeatureNotAvailable = 3251,
    adErrItemNotFound = 3265,
    adErrDataConversion = 3421,
    adErrObjectClosed = 3704,
    adErrObjectOpen = 3705,
    adErrProviderNotFound = 3706,
    adErrInvalidConnection = 3709,
};

// The failed result that carries an error number of this library.
constexpr std::int32_t AdoErrorResult(ErrorValueEnum number)
{
    return static_cast<std::int32_t>(0x800A0000u | static_cast<std::uint32_t>(number));
}
