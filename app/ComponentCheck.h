#pragma once
// Before a library opens: the data-access, XML, synchronisation and CD-database components must be
// installed. A missing registration is made from the program's own folder; a component that stays
// missing is named in a message, and all but the CD-database control stop the opening.

#include "platform/afx/CString.h"

// True when the library may be opened; sets the application's m_bCDDBControlPresent when the
// CD-database control could be created.
bool CheckPrerequisites();

// True for a data-access version text of 2.6 or newer: the number before its first dot is the major
// version, the one after it the minor (a text without a dot is all major).
bool IsDataAccessVersionSufficient(const CString& version);
