#include "platform/ado/JetDate.h"

#include "platform/base/CaseFold.h"
#include "platform/base/SystemTime.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <vector>

namespace platform::ado {

std::optional<double> OleDateFromParts(int year, int month, int day, int hour, int minute, int second)
{
    using namespace std::chrono;
    if (year < 100 || year > 9999 || month < 1 || month > 12 || hour < 0 || hour > 23 || minute < 0 || minute > 59
        || second < 0 || second > 59)
        return std::nullopt;
    const year_month_day ymd { std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
        std::chrono::day(static_cast<unsigned>(day)) };
    if (day < 1 || !ymd.ok())
        return std::nullopt;
    constexpr year_month_day epoch { std::chrono::year(1899), December, std::chrono::day(30) };
    const double days = static_cast<double>((sys_days(ymd) - sys_days(epoch)).count());
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before the epoch the fraction still counts forward from midnight, so it is added to the magnitude.
    return days >= 0 ? days + fraction : days - fraction;
}

double LocalNowAsOleDate()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return OleDateFromParts(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond).value_or(0.0);
}

namespace {

// Splits a literal into its numbers and words ("5/29/2001 10:30 PM" -> 5 29 2001 10 30 PM).
struct LiteralParts {
    std::vector<int> numbers;
    std::vector<char> separators; // the character after each number
    std::string word;
};

std::optional<LiteralParts> SplitDate(std::string_view text)
{
    LiteralParts parts;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            int value = 0;
            size_t digits = 0;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 6) {
                value = value * 10 + (text[i] - '0');
                ++i;
                ++digits;
            }
            parts.numbers.push_back(value);
            parts.separators.push_back(i < text.size() ? text[i] : '\0');
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])))
                parts.word += FoldCase(text[i++]);
        } else if (c == '/' || c == '-' || c == ':' || c == ' ' || c == '\t') {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return parts;
}

} // namespace

std::optional<double> ParseJetDateLiteral(std::string_view text)
{
    const auto parts = SplitDate(text);
    if (!parts || parts->numbers.size() < 3)
        return std::nullopt;
    const auto& n = parts->numbers;
    int year, month, day;
    if (parts->separators[0] == '-') { // ISO order
        year = n[0];
        month = n[1];
        day = n[2];
    } else {
        month = n[0];
        day = n[1];
        year = n[2];
    }
    int hour = n.size() > 3 ? n[3] : 0;
    const int minute = n.size() > 4 ? n[4] : 0;
    const int second = n.size() > 5 ? n[5] : 0;
    if (n.size() > 6)
        return std::nullopt;
    if (parts->word == "pm" && hour >= 1 && hour < 12)
        hour += 12;
    else if (parts->word == "am" && hour == 12)
        hour = 0;
    else if (!parts->word.empty() && parts->word != "am" && parts->word != "pm")
        return std::nullopt;
    return OleDateFromParts(year, month, day, hour, minute, second);
}

} // namespace platform::ado

namespace platform::ado {

std::optional<DateParts> OleDateToParts(double date)
{
    using namespace std::chrono;
    if (!(date > -657435.0 && date < 2958466.0))
        return std::nullopt;
    // The fraction counts from midnight in either direction of the epoch.
    double days = date >= 0 ? std::floor(date) : std::ceil(date);
    double fraction = std::fabs(date - days);
    long long seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += date >= 0 ? 1 : -1;
    }
    constexpr year_month_day epoch { std::chrono::year(1899), December, std::chrono::day(30) };
    const year_month_day ymd { sys_days(epoch) + std::chrono::days(static_cast<long long>(days)) };
    DateParts parts;
    parts.year = static_cast<int>(ymd.year());
    parts.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    parts.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

} // namespace platform::ado
