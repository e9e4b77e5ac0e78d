#pragma once
// Shows the Preferences sheet: layout, music, prompts, confirmations and discovery. The Music page is
// left out for the Songvault product.

class CWnd;

void ShowPreferences(CWnd* pParent);
