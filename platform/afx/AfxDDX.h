#pragma once
// Data exchange between a window's controls and its members (DDX_), and checks of the values taken
// (DDV_). Each runs in the direction of the CDataExchange. A text that is no number of the member's
// kind, or a value out of its range, is refused: the user is told why, the focus goes to the control
// and the exchange stops (CDataExchange::Fail), the member keeping its old value.

#include "platform/afx/CDataExchange.h"
#include "platform/afx/COleDateTime.h"
#include "platform/afx/CString.h"

class CWnd;

// Prompts of the refusals, looked up in the resource module first (built-in English texts otherwise).
constexpr UINT AFX_IDP_PARSE_INT = 0xF110;
constexpr UINT AFX_IDP_PARSE_REAL = 0xF111;
constexpr UINT AFX_IDP_PARSE_INT_RANGE = 0xF112;
constexpr UINT AFX_IDP_PARSE_REAL_RANGE = 0xF113;
constexpr UINT AFX_IDP_PARSE_STRING_SIZE = 0xF114;
constexpr UINT AFX_IDP_PARSE_RADIO_BUTTON = 0xF115;
constexpr UINT AFX_IDP_PARSE_BYTE = 0xF116;
constexpr UINT AFX_IDP_PARSE_UINT = 0xF117;
constexpr UINT AFX_IDP_PARSE_DATETIME = 0xF118;

// A control's text and a member. Numbers are decimal, spaces around them allowed; a text that is no
// whole number (or does not fit the member) is refused with the integer prompt (the positive-integer
// prompt for unsigned members, the byte prompt for BYTE).
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value); // DWORD members too
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
// Real numbers: the whole text must be a number (the real-number prompt otherwise).
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
// Dates in the standard text form; an empty text is a null date.
void DDX_Text(CDataExchange* pDX, int nIDC, COleDateTime& value);

// A check box's state: 0 clear, 1 checked, 2 indeterminate (other values show as clear).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The checked radio button of the group that starts at nIDC, by position in the group; -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// List and combo boxes: the selection's index (-1 for none), or its text. Loading a text selects the
// first item that starts with it (exactly equal for the Exact forms, both ignoring case); a combo box
// with an edit field shows a text it does not list, a list box then has no selection.
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);

// A scroll bar's position.
void DDX_Scroll(CDataExchange* pDX, int nIDC, int& value);

// Binds rControl to control nIDC (subclassing it) the first time; a control already bound to
// another object stops the exchange (CNotSupportedException).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Checks while saving, right after the DDX_ call of the member: a refused value is reported and
// fails the exchange on that control. An edit control also gets the length limit on loading.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal);
