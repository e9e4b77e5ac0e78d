#pragma once
// Makes objects of one class and hands them out as a base class, so that the layout factories can be
// told which node class to make.

#include <new>

namespace quorvale::foundation {

template<class Base> class SECClassFactory {
public:
    virtual ~SECClassFactory() = default;
    // Null when memory runs out.
    virtual Base* CreateObject() = 0;
};

template<class T, class Base> class SECClassFactory_T : public SECClassFactory<Base> {
public:
    Base* CreateObject() override { return new (std::nothrow) T; }
};

} // namespace quorvale::foundation
