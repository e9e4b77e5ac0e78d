#pragma once
// Shows the Account Management sheet: the customer's user information and ISP pages.

class CWnd;

void ShowAccountManagement(CWnd* pParent);
