#pragma once
// The framework's text value: every value that travels in a URI, a properties line or a message is
// a Component. It converts to and from the typed values of the framework and knows how to quote
// itself so that it reads back unchanged through ReadToken.

#include <cstddef>
#include <string>
#include <vector>

namespace vireo {

class AttributeValueMap;
class VireoURI;
class VireoTime;

// An ordered list of strings that keeps duplicates (the values of list-valued attributes).
using StringList = std::vector<std::string>;

class Component {
public:
    // An empty value.
    Component() = default;
    // The given text as the value.
    Component(std::string value);
    // The given text as the value; a null pointer gives an empty value.
    Component(const char* value);
    // The decimal text of the number.
    explicit Component(int value);
    // "true" or "false".
    explicit Component(bool value);
    // The items joined with ","; an empty list gives an empty value.
    explicit Component(const StringList& list);
    // The map's text with ";" between entries.
    explicit Component(const AttributeValueMap& map);
    // The URI's wire text, so that a spilled payload travels inline.
    explicit Component(const VireoURI& uri);
    // The time's stored (unnormalised) fields as text.
    explicit Component(const VireoTime& time);

    // The value as written inside a URI or a properties line.
    std::string EncodedText() const;
    // Appends that text to out: a whole URI is written into one string instead of joined from pieces.
    virtual void AppendEncodedText(std::string& out) const;
    // The value in a labelled form for diagnostics.
    virtual std::string Describe() const;

    // The value text.
    const std::string& Value() const { return m_value; }
    // Replaces the value text.
    void SetValue(std::string value) { m_value = std::move(value); }

    // The value read as a decimal int the way atoi reads it (no digits give 0).
    int ToInt() const;
    // True when the value is "true", "yes", "on" or "set" in any letter case.
    bool ToBool() const;
    // The value split at every ","; a trailing comma adds no empty last item.
    StringList ToList() const;
    // The value read as attributes separated by one character each.
    AttributeValueMap ToMap() const;
    // The value parsed as a URI.
    VireoURI ToURI() const;

    // Equal when the value texts are equal.
    friend bool operator==(const Component& a, const Component& b) { return a.m_value == b.m_value; }

protected:
    std::string m_value;
};

// Reads one value of a text from pos: a double quote toggles quoting and two double quotes give one
// quote; outside quotes "#", "&", ";" and "=" end the value. pos is left on the character that ended
// it (not consumed) or at the end of the text.
Component ReadToken(const std::string& text, std::size_t& pos);

// True when the value needs quoting to travel inside a URI or a properties line.
bool NeedsQuoting(const std::string& value);
// The value in double quotes with inner quotes doubled when it needs quoting, else unchanged.
std::string QuoteText(const std::string& value);
// Appends QuoteText(value) to out.
void AppendQuoted(std::string& out, const std::string& value);

// The words written for bools.
inline constexpr const char* kTrueText = "true";
inline constexpr const char* kFalseText = "false";
// The separator of list items.
inline constexpr char kListSeparator = ',';

// Position of the first item equal to s, or list.end().
StringList::const_iterator ListFind(const StringList& list, const std::string& s);
// True when an item equals s.
bool ListContains(const StringList& list, const std::string& s);
// A copy of a, then each item of b that the growing result does not contain yet.
StringList ListUnion(const StringList& a, const StringList& b);
// The items of b (in b's order) that a contains.
StringList ListIntersection(const StringList& a, const StringList& b);
// The items of a (in a's order) that b does not contain.
StringList ListDifference(const StringList& a, const StringList& b);
// The items joined with ",".
std::string JoinList(const StringList& list);

} // namespace vireo
