// Documents name DTDs and entities on files and servers; loading one must read none of them.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/xml/tests/XmlTestSupport.h"

using namespace xmltest;

namespace {

// A listening socket on 127.0.0.1 that tells whether anything connected to it.
class Listener {
public:
    Listener()
    {
        m_socket = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(listen(m_socket, 4), 0);
        socklen_t length = sizeof address;
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~Listener() { close(m_socket); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }
    bool WasContacted() const
    {
        const int peer = accept(m_socket, nullptr, nullptr);
        if (peer < 0)
            return false;
        close(peer);
        return true;
    }

private:
    int m_socket { -1 };
    unsigned short m_port { 0 };
};

} // namespace

TEST(ExternalResourceTest, NothingOutsideTheTextIsRead)
{
    {
        std::ofstream("secret.txt") << "SECRET";
        std::ofstream("defs.dtd") << "<!ENTITY fromdtd 'FROM-DTD'><!ATTLIST a extra CDATA 'DEFAULTED'>";
    }
    Listener server;
    const std::string documents[] = {
        "<!DOCTYPE a SYSTEM 'defs.dtd'><a>&fromdtd;</a>",
        "<!DOCTYPE a [<!ENTITY file SYSTEM 'secret.txt'>]><a>&file;</a>",
        "<!DOCTYPE a [<!ENTITY file SYSTEM 'file://" + std::filesystem::current_path().string()
            + "/secret.txt'>]><a>&file;</a>",
        "<!DOCTYPE a SYSTEM '" + server.Url("/vireo/a.dtd") + "'><a>x</a>",
        "<!DOCTYPE a [<!ENTITY web SYSTEM '" + server.Url("/e.xml") + "'>]><a>&web;</a>",
        "<!DOCTYPE a [<!ENTITY % p SYSTEM '" + server.Url("/p.dtd") + "'> %p;]><a>x</a>",
    };
    for (const std::string& text : documents) {
        for (bool resolve : { false, true }) {
            IXMLDOMDocument2Ptr document = NewDocument();
            // Even a caller asking for external resources gets none.
            document->put_resolveExternals(resolve ? VARIANT_TRUE : VARIANT_FALSE);
            document->put_validateOnParse(resolve ? VARIANT_TRUE : VARIANT_FALSE);
            ASSERT_EQ(Load(document, text), S_OK) << text;
            const std::string xml = XmlOf(document);
            EXPECT_EQ(xml.find("SECRET"), std::string::npos) << text;
            EXPECT_EQ(xml.find("FROM-DTD"), std::string::npos) << text;
            EXPECT_EQ(xml.find("DEFAULTED"), std::string::npos) << text;
            IXMLDOMElementPtr root;
            ASSERT_EQ(document->get_documentElement(&root), S_OK) << text;
            EXPECT_EQ(TextOf(root).find("SECRET"), std::string::npos) << text;
        }
    }
    EXPECT_FALSE(server.WasContacted());
}

TEST(ExternalResourceTest, DocumentTypeOfADeviceDocumentLoadsAndStays)
{
    // The device's documents name their DTD on a web server; they load without it.
    IXMLDOMDocument2Ptr document = NewDocument();
    ASSERT_EQ(Load(document,
                  "<?xml version=\"1.0\"?>\n<!DOCTYPE cdinfo SYSTEM \"http://127.0.0.1:9/vireo/cdinfo.dtd\">\n"
                  "<cdinfo href=\"a\"><title>T</title></cdinfo>"),
        S_OK);
    EXPECT_EQ(XmlOf(document),
        "<?xml version=\"1.0\"?>\r\n<!DOCTYPE cdinfo SYSTEM \"http://127.0.0.1:9/vireo/cdinfo.dtd\">\r\n"
        "<cdinfo href=\"a\"><title>T</title></cdinfo>\r\n");
}

TEST(ExternalResourceTest, EntityExpansionBombIsRefused)
{
    // Eleven levels of ten references each would expand to 10^11 characters.
    std::string text = "<!DOCTYPE a [<!ENTITY l0 'ha'>";
    for (int level = 1; level <= 11; ++level) {
        text += "<!ENTITY l" + std::to_string(level) + " '";
        for (int k = 0; k < 10; ++k)
            text += "&l" + std::to_string(level - 1) + ";";
        text += "'>";
    }
    text += "]><a>&l11;</a>";
    IXMLDOMDocument2Ptr document = NewDocument();
    EXPECT_EQ(Load(document, text), S_FALSE);
}
