#pragma once
// One parameter of a stored-query call. Stored queries bind their parameters by position, so a list
// gives them in the order of the query's own parameter declaration.

#include <vector>

#include "platform/ado/Ado.h"

class QueryParameter {
public:
    // Copies the name ("[qpPlaylistID]", brackets included) and the value; the size comes from the value.
    QueryParameter(const char* name, const _variant_t& value, DataTypeEnum type, ParameterDirectionEnum direction);

    const _bstr_t& Name() const { return m_name; }
    const _variant_t& Value() const { return m_value; }
    DataTypeEnum Type() const { return m_type; }
    ParameterDirectionEnum Direction() const { return m_direction; }
    // 2, 4 or 8 for numbers, Booleans and dates, the characters of a text; at least 1.
    LONG Size() const { return m_size; }
    // What is bound: an empty text as one blank, an empty value as 0, " " or false by the type, and
    // an integer parameter's value as a 32-bit integer (0 when it is not a number).
    _variant_t ValueForBinding() const;

private:
    _bstr_t m_name;
    _variant_t m_value;
    DataTypeEnum m_type { adEmpty };
    LONG m_size { 1 };
    ParameterDirectionEnum m_direction { adParamInput };
};

using QueryParameterList = std::vector<QueryParameter>;

// The list of every query without parameters.
extern const QueryParameterList NoQueryParameters;
