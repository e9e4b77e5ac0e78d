#pragma once
// Record sets saved as rowset XML, the form the stylesheets read: a root "xml" declaring the
// prefixes s, dt, rs and z, an "s:Schema" describing the row's attributes, and "rs:data" with one
// "z:row" per row. A Null is an absent attribute; Yes/No values read "True" or "False".

#include "platform/ado/RowSet.h"

#include <string>

namespace platform::ado {

// The rowset XML of all rows of a set, in its current order.
std::string RowsetXml(const RowSet& rows);

} // namespace platform::ado
