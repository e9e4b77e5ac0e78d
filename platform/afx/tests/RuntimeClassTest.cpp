#include <gtest/gtest.h>

#include "platform/afx/CException.h"
#include "platform/afx/CFileException.h"
#include "platform/afx/CMemoryException.h"
#include "platform/afx/CObject.h"

namespace {

class CAnimal : public CObject {
    DECLARE_DYNAMIC(CAnimal)
};
IMPLEMENT_DYNAMIC(CAnimal, CObject)

class CDog : public CAnimal {
    DECLARE_DYNCREATE(CDog)
public:
    int m_nLegs { 4 };
};
IMPLEMENT_DYNCREATE(CDog, CAnimal)

} // namespace

TEST(CRuntimeClass, KindsAndDerivation)
{
    CDog dog;
    EXPECT_TRUE(dog.IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_TRUE(dog.IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(dog.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(dog.IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_FALSE(RUNTIME_CLASS(CAnimal)->IsDerivedFrom(RUNTIME_CLASS(CDog)));
    EXPECT_STREQ(dog.GetRuntimeClass()->m_lpszClassName, "CDog");
    EXPECT_FALSE(dog.IsSerializable());
}

TEST(CRuntimeClass, CreationByName)
{
    EXPECT_EQ(CRuntimeClass::FromName("CDog"), RUNTIME_CLASS(CDog));
    EXPECT_EQ(CRuntimeClass::FromName("cdog"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);

    CObject* made = CRuntimeClass::CreateObject("CDog");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_EQ(static_cast<CDog*>(made)->m_nLegs, 4);
    delete made;

    // Dynamic but not creatable, and unknown names, make nothing.
    EXPECT_EQ(CRuntimeClass::CreateObject("CAnimal"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CUnicorn"), nullptr);
    // The library's own classes are registered too.
    EXPECT_NE(CRuntimeClass::FromName("CFileException"), nullptr);
}

TEST(CException, ThrownAsPointersAndDeletedByTheCatcher)
{
    try {
        AfxThrowFileException(CFileException::fileNotFound, 2, "Z:\\x.txt");
    } catch (CException* e) {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        char text[80];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof(text)));
        EXPECT_STREQ(text, "Z:\\x.txt was not found.");
        char small[6];
        e->GetErrorMessage(small, sizeof(small));
        EXPECT_STREQ(small, "Z:\\x.");
        e->Delete();
    }
    // The out-of-memory exception is shared and survives Delete.
    for (int i = 0; i < 2; ++i) {
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            EXPECT_FALSE(e->m_bAutoDelete);
            e->Delete();
        }
    }
}
