// The user's setup data in the library: the row the group step stores from the device's "Setup."
// values, and the first customer row it reads to send them back.

#include "sync/CustomerSetup.h"
#include "sync/StepRows.h"
#include "sync/SyncDatabase.h"
#include "sync/SyncStrings.h"

namespace {

// The query's parameters and the customer table's columns, in the order of the setup entries.
constexpr const char* kCustomerParameters[CustomerSetup::kEntryCount] = {
    "[qpFirstName]", "[qpLastName]", "[qpAddress]", "[qpCity]", "[qpState]", "[qpZipCode]", "[qpEmail]", "[qpPhone]",
};
constexpr const char* kCustomerColumns[CustomerSetup::kEntryCount] = {
    "FirstName", "LastName", "HomeAddress", "City", "StateorProvince", "Zipcode", "EmailAddress", "HomePhone",
};

} // namespace

HRESULT SyncDatabase::UpdateCustomer(const CustomerSetup& setup)
{
    HRESULT hr = OpenSyncDatabase();
    if (FAILED(hr))
        return hr;
    QueryParameterList parameters;
    for (int entry = 0; entry < CustomerSetup::kEntryCount; ++entry)
        parameters.emplace_back(kCustomerParameters[entry], setup.Value(entry), adBSTR, adParamInput);
    _variant_t none = MissingKey();
    return RunWrapper(IDS_qUpdateCustomer, adCmdStoredProc, parameters, none);
}

HRESULT SyncDatabase::ReadCustomer(CustomerSetup& setup)
{
    HRESULT hr = OpenSyncDatabase();
    if (FAILED(hr))
        return hr;
    StepRows rows;
    hr = OpenStoredQuery(IDS_qCustomer, rows.Recordset(), NoQueryParameters);
    // A library without a customer has no owner's details to send: nothing changes, and that is no failure.
    if (hr == kNoRows)
        return S_OK;
    if (FAILED(hr))
        return hr;
    // Only the first customer is the device's owner.
    if (!rows.AtEnd()) {
        for (int entry = 0; entry < CustomerSetup::kEntryCount; ++entry)
            setup.SendFlag(entry) = AssignIfChanged(rows.Value(kCustomerColumns[entry]), setup.Value(entry));
    }
    rows.Close();
    return S_OK;
}
