#pragma once
// Dates as the database engine keeps them: OLE automation dates (days since 1899-12-30, the fraction
// being the time of day), in local time.

#include <optional>
#include <string_view>

namespace platform::ado {

// The OLE date of a civil date and time; nullopt when a part is out of range.
std::optional<double> OleDateFromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// The current local time as an OLE date, read from the platform's clock.
double LocalNowAsOleDate();
// The OLE date of a date literal's text (the part between '#'): "mm/dd/yyyy", "yyyy-mm-dd", either
// optionally followed by "hh:mm[:ss]" and "AM"/"PM"; nullopt when it is no date.
std::optional<double> ParseJetDateLiteral(std::string_view text);

} // namespace platform::ado

namespace platform::ado {

struct DateParts {
    int year { 0 }, month { 0 }, day { 0 }, hour { 0 }, minute { 0 }, second { 0 };
};

// The civil date and time of an OLE date, rounded to the second; nullopt outside years 100-9999.
std::optional<DateParts> OleDateToParts(double date);

} // namespace platform::ado
