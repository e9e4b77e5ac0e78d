#pragma once
// A position of a tree walk: it holds the current item itself, null once the walk has run off the end.

namespace quorvale::foundation {

class CCIterPos {
public:
    virtual ~CCIterPos() = default;
};

template<typename T> class CCIterPos_T : public CCIterPos {
public:
    T m_item {};
};

} // namespace quorvale::foundation
