// A free-threaded document is shared by threads: loads replace its tree while others read it.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/xml/tests/XmlTestSupport.h"

using namespace xmltest;

TEST(FreeThreadedTest, ReadersAlwaysSeeAWholeDocument)
{
    IXMLDOMDocument2Ptr document = NewDocument(CLSID_FreeThreadedDOMDocument30);
    ASSERT_EQ(Load(document, "<a><b>0</b><b>0</b></a>"), S_OK);
    std::atomic<int> torn { 0 };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            for (int i = 0; i < 200; ++i) {
                if (t == 0) {
                    const std::string n = std::to_string(i);
                    Load(document, "<a><b>" + n + "</b><b>" + n + "</b></a>");
                    continue;
                }
                // Both b of one tree carry the same number, whichever tree the query ran on.
                IXMLDOMNodeListPtr found;
                if (document->selectNodes(_bstr_t(u"a/b"), &found) != S_OK) {
                    ++torn;
                    continue;
                }
                IXMLDOMNodePtr first, second;
                found->get_item(0, &first);
                found->get_item(1, &second);
                if (!first || !second || TextOf(first) != TextOf(second))
                    ++torn;
                if (i % 10 == 0)
                    XmlOf(document);
            }
            CoUninitialize();
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(torn.load(), 0);
    EXPECT_EQ(XmlOf(document), "<a><b>199</b><b>199</b></a>\r\n");
}
