// The HTTP client against servers the test runs on the loopback interface: plain and TLS
// with certificates made here, redirects, bodies of every kind, the size limits, a server
// that stalls, cancelling from another thread, a proxy, and connections kept for reuse.
#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "LoopbackServer.h"
#include "RegistryTestSupport.h"
#include "StalledRequest.h"
#include "TestCertificates.h"
#include "XBase64.h"
#include "XHttpConnection.h"
#include "XHttpGet.h"
#include "XTCPSocket_SSL.h"

namespace {

using Connection = LoopbackServer::Connection;

// Answers one request per connection from a table of targets; 404 for the rest.
LoopbackServer::Handler routes(std::map<std::string, std::string> table) {
    return [table = std::move(table)](Connection& c) {
        const std::string head = c.readRequestHead();
        const auto it = table.find(LoopbackServer::targetOf(head));
        c.write(it != table.end() ? it->second : LoopbackServer::response(404, "none"));
    };
}

std::string chunked(const std::vector<std::string>& chunks) {
    std::string text = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (const std::string& chunk : chunks) {
        char size[32];
        std::snprintf(size, sizeof size, "%zx\r\n", chunk.size());
        text += size + chunk + "\r\n";
    }
    return text + "0\r\n\r\n";
}

XHttpSettings quickSettings() {
    XHttpSettings settings;
    // Generous: a loaded machine must not fail a test that expects an answer.
    settings.timeoutMs = 60000;
    return settings;
}

TEST(XHttpClient, PlainBodiesOfLengthChunksAndConnectionEnd) {
    std::string big(3 * 1024 * 1024 + 17, 'x');
    for (std::size_t i = 0; i < big.size(); i += 4099) {
        big[i] = static_cast<char>('a' + i % 26);
    }
    LoopbackServer server(routes({
        {"/length", LoopbackServer::response(200, big)},
        {"/chunked", chunked({"Wi", "ki", std::string(70000, 'c'), "!"})},
        {"/toend", "HTTP/1.0 200 OK\r\n\r\n" + big},
        {"/empty", LoopbackServer::response(200, "")},
    }));
    const std::map<std::string, std::string> expected = {
        {"/length", big},
        {"/chunked", "Wiki" + std::string(70000, 'c') + "!"},
        {"/toend", big},
        {"/empty", ""},
    };
    for (const auto& [target, body] : expected) {
        std::string got = "before";
        std::string error;
        ASSERT_TRUE(HttpGet(XStr(server.url(target)), got, quickSettings(), &error))
            << target << ": " << error;
        EXPECT_EQ(got.size(), body.size()) << target;
        EXPECT_TRUE(got == body) << target;
    }
    const std::vector<std::string> heads = server.requestHeads();
    ASSERT_FALSE(heads.empty());
    // The request as it goes out: HTTP/1.0, our agent, the host with its port.
    const std::string& head = heads.front();
    EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET /chunked HTTP/1.0");
    EXPECT_EQ(LoopbackServer::headerOf(head, "User-Agent"), "Vantaro");
    EXPECT_EQ(LoopbackServer::headerOf(head, "Host"), "127.0.0.1:" + std::to_string(server.port()));
    EXPECT_EQ(LoopbackServer::headerOf(head, "Connection"), "");
}

TEST(XHttpClient, FailuresLeaveTheBodyAlone) {
    LoopbackServer server(routes({
        {"/missing", LoopbackServer::response(404, "no")},
        {"/short", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly this"},
        {"/garbage", "SSH-2.0-OpenSSH\r\n\r\n"},
        {"/noredirect", LoopbackServer::response(302, "")},
    }));
    for (const char* target : {"/missing", "/short", "/garbage", "/noredirect"}) {
        std::string body = "kept";
        EXPECT_FALSE(HttpGet(XStr(server.url(target)), body, quickSettings())) << target;
        EXPECT_EQ(body, "kept") << target;
    }
    // Nobody listening, a bad URL, and TLS to a server that speaks none.
    std::string body = "kept";
    uint16_t closedPort = 0;
    {
        LoopbackServer gone(routes({}));
        closedPort = gone.port();
    }
    EXPECT_FALSE(HttpGet(XStr("http://127.0.0.1:" + std::to_string(closedPort) + "/"), body,
                         quickSettings()));
    EXPECT_FALSE(HttpGet("gopher://127.0.0.1/", body, quickSettings()));
    // It answers at once, so the handshake meets plain text instead of waiting for it.
    LoopbackServer plain([](Connection& c) { c.write(LoopbackServer::response(200, "a")); });
    EXPECT_FALSE(HttpGet(XStr(plain.url("/a").replace(0, 4, "https")), body, quickSettings()));
    EXPECT_EQ(body, "kept");
}

TEST(XHttpClient, AMaximumBodyLengthRefusesLongerBodies) {
    LoopbackServer server(routes({
        {"/ten", LoopbackServer::response(200, "0123456789")},
        {"/chunks", chunked({"01234", "56789"})},
    }));
    for (const char* target : {"/ten", "/chunks"}) {
        XHttpSettings settings = quickSettings();
        settings.maxBodyLength = 10;
        std::string body;
        EXPECT_TRUE(HttpGet(XStr(server.url(target)), body, settings)) << target;
        EXPECT_EQ(body, "0123456789");
        settings.maxBodyLength = 9;
        body = "kept";
        EXPECT_FALSE(HttpGet(XStr(server.url(target)), body, settings)) << target;
        EXPECT_EQ(body, "kept");
    }
}

struct RedirectRow {
    const char* what;
    const char* start;
    bool ok;
    const char* body;
};

TEST(XHttpClient, RedirectsTwoFollowedTheThirdRefused) {
    LoopbackServer other(routes({{"/there", LoopbackServer::response(200, "other server")}}));
    const std::string elsewhere = other.url("/there");
    LoopbackServer server(routes({
        {"/one", LoopbackServer::response(301, "", {"Location: /two"})},
        {"/two", LoopbackServer::response(302, "", {"Location: /dir/a.txt"})},
        {"/dir/a.txt", LoopbackServer::response(303, "", {"Location: b.txt"})},
        {"/dir/b.txt", LoopbackServer::response(200, "b")},
        {"/seven", LoopbackServer::response(307, "", {"Location: /eight"})},
        {"/eight", LoopbackServer::response(308, "", {"location:  /dir/b.txt "})},
        {"/away", LoopbackServer::response(302, "", {"Location: " + elsewhere})},
        {"/useproxy", LoopbackServer::response(305, "", {"Location: /dir/b.txt"})},
    }));
    const RedirectRow rows[] = {
        {"relative from a folder", "/dir/a.txt", true, "b"},
        {"two followed", "/two", true, "b"},
        {"the third refused", "/one", false, ""},
        {"307 and 308", "/seven", true, "b"},
        {"to another server", "/away", true, "other server"},
        {"not a redirect status", "/useproxy", false, ""},
    };
    for (const RedirectRow& row : rows) {
        std::string body;
        EXPECT_EQ(HttpGet(XStr(server.url(row.start)), body, quickSettings()), row.ok) << row.what;
        if (row.ok) {
            EXPECT_EQ(body, row.body) << row.what;
        }
    }
    // One attempt follows none; four follow three.
    XHttpSettings settings = quickSettings();
    settings.attempts = 1;
    std::string body;
    EXPECT_FALSE(HttpGet(XStr(server.url("/dir/a.txt")), body, settings));
    settings.attempts = 4;
    EXPECT_TRUE(HttpGet(XStr(server.url("/one")), body, settings));
    EXPECT_EQ(body, "b");
}

TEST(XHttpClient, HeaderBlocksUpTo65535BytesAndChunksUpTo16MiB) {
    // A block of exactly the size wanted, its empty line included.
    const auto header = [](std::size_t size) {
        std::string text = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nX-Pad: ";
        text += std::string(size - text.size() - 4, 'p');
        return text + "\r\n\r\nok";
    };
    const auto bigChunk = [](std::size_t size) {
        std::string text = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        char line[32];
        std::snprintf(line, sizeof line, "%zX\r\n", size);
        return text + line + std::string(size, 'z') + "\r\n0\r\n\r\n";
    };
    constexpr std::size_t kMiB16 = 16u << 20;
    LoopbackServer server(routes({
        {"/header65535", header(65535)},
        {"/header70000", header(70000)},
        {"/chunk16M", bigChunk(kMiB16)},
        {"/chunk16M+1", bigChunk(kMiB16 + 1)},
    }));
    std::string body;
    std::string error;
    EXPECT_TRUE(HttpGet(XStr(server.url("/header65535")), body, quickSettings(), &error)) << error;
    EXPECT_EQ(body, "ok");
    EXPECT_FALSE(HttpGet(XStr(server.url("/header70000")), body, quickSettings(), &error));
    EXPECT_EQ(error, "the header block is too long");
    EXPECT_TRUE(HttpGet(XStr(server.url("/chunk16M")), body, quickSettings(), &error)) << error;
    EXPECT_EQ(body.size(), kMiB16);
    EXPECT_FALSE(HttpGet(XStr(server.url("/chunk16M+1")), body, quickSettings(), &error));
    EXPECT_EQ(error, "a chunk is too large");
}

TEST(XHttpClient, AStallingServerIsEndedByTheTimeout) {
    LoopbackServer server([](Connection& c) {
        const std::string head = c.readRequestHead();
        if (LoopbackServer::targetOf(head) == "/half") {
            c.write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nten bytes.");
        }
        c.stall();
    });
    for (const char* target : {"/silent", "/half"}) {
        XHttpSettings settings;
        settings.timeoutMs = 300;
        std::string body = "kept";
        std::string error;
        EXPECT_FALSE(HttpGet(XStr(server.url(target)), body, settings, &error)) << target;
        EXPECT_NE(error.find("timed out"), std::string::npos) << error;
        EXPECT_EQ(body, "kept");
    }
}

TEST(XHttpClient, CancelFromAnotherThreadEndsAWaitingRequest) {
    StalledRequest stalled;
    LoopbackServer server(stalled.handler());
    XHttpSettings settings;
    // Far longer than any test may take: only the cancel can end the wait.
    settings.timeoutMs = 3600000;
    settings.cancel = KillSwitch::create();
    std::thread canceller([&] {
        stalled.waitUntilArrived();
        settings.cancel->kill();
    });
    std::string body = "kept";
    std::string error;
    EXPECT_FALSE(HttpGet(XStr(server.url("/wait")), body, settings, &error));
    canceller.join();
    EXPECT_EQ(error, "reading the header block: receive cancelled");
    EXPECT_EQ(body, "kept");
    // A switch killed before the call: no connection is even made.
    const int before = server.accepted();
    EXPECT_FALSE(HttpGet(XStr(server.url("/wait")), body, settings, &error));
    EXPECT_EQ(error, "cancelled");
    EXPECT_EQ(server.accepted(), before);
}

class XHttpClientTLS : public ::testing::Test {
protected:
    void TearDown() override { XTCPSocket_SSL::SetExtraTrustedCertificates(""); }
};

TEST_F(XHttpClientTLS, VerifiedChainAndNameWithSNI) {
    const TestCertificates certs = TestCertificates::make({"localhost"}, {"127.0.0.1"});
    XTCPSocket_SSL::SetExtraTrustedCertificates(certs.caPem);
    // Written by the server's thread, read here once the answer is in.
    std::mutex sniMutex;
    std::string sni;
    const auto sentName = [&] {
        std::lock_guard<std::mutex> lock(sniMutex);
        return sni;
    };
    LoopbackServer server(
        [&](Connection& c) {
            {
                std::lock_guard<std::mutex> lock(sniMutex);
                sni = c.serverName();
            }
            const std::string head = c.readRequestHead();
            c.write(LoopbackServer::targetOf(head) == "/chunked"
                        ? chunked({"se", "cret"})
                        : LoopbackServer::response(200, std::string(100000, 's')));
        },
        &certs);
    std::string body;
    std::string error;
    ASSERT_TRUE(HttpGet(XStr(server.url("/chunked", "localhost")), body, quickSettings(), &error))
        << error;
    EXPECT_EQ(body, "secret");
    EXPECT_EQ(sentName(), "localhost");
    // By address: the certificate names it too; no server name is sent for an address.
    ASSERT_TRUE(HttpGet(XStr(server.url("/big")), body, quickSettings(), &error)) << error;
    EXPECT_EQ(body, std::string(100000, 's'));
    EXPECT_EQ(sentName(), "");
    EXPECT_EQ(server.handshakesFailed(), 0);
}

TEST_F(XHttpClientTLS, WrongNameAndUntrustedChainAreRefused) {
    const TestCertificates wrongName = TestCertificates::make({"other.example"}, {"127.0.0.2"});
    const TestCertificates untrusted = TestCertificates::make({"localhost"}, {"127.0.0.1"});
    const TestCertificates trusted = TestCertificates::make({"unused.example"}, {});
    struct Case {
        const char* what;
        const TestCertificates* served;
        std::string trust;
        const char* reason;
    };
    const Case cases[] = {
        {"wrong name", &wrongName, wrongName.caPem, "mismatch"},
        {"untrusted chain", &untrusted, trusted.caPem, "unable to get local issuer certificate"},
        {"nothing extra trusted", &untrusted, "", "unable to get local issuer certificate"},
    };
    for (const Case& c : cases) {
        XTCPSocket_SSL::SetExtraTrustedCertificates(c.trust);
        bool served = false;
        LoopbackServer server(
            [&](Connection& conn) {
                served = true;
                conn.readRequestHead();
                conn.write(LoopbackServer::response(200, "must not arrive"));
            },
            c.served);
        for (const char* host : {"localhost", "127.0.0.1"}) {
            std::string body = "kept";
            std::string error;
            EXPECT_FALSE(HttpGet(XStr(server.url("/", host)), body, quickSettings(), &error))
                << c.what << " " << host;
            EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
            EXPECT_EQ(body, "kept");
        }
        server.stop();
        EXPECT_FALSE(served) << c.what;
        EXPECT_EQ(server.handshakesFailed(), 2) << c.what;
    }
}

// A proxy that wants Basic credentials: plain requests arrive with the whole URL and are
// passed on; TLS goes through a CONNECT tunnel.
class XHttpClientProxy : public ::testing::Test {
protected:
    static std::string basic(const std::string& credentials) {
        return "Basic " + XBase64::encode(credentials.data(), credentials.size());
    }
    LoopbackServer::Handler proxy(std::string expected) {
        return [this, expected = std::move(expected)](Connection& c) {
            const std::string head = c.readRequestHead();
            {
                std::lock_guard<std::mutex> lock(mMutex);
                mProxied.push_back(head.substr(0, head.find("\r\n")));
            }
            if (LoopbackServer::headerOf(head, "Proxy-Authorization") != expected) {
                c.write(LoopbackServer::response(407, "who are you",
                                                 {"Proxy-Authenticate: Basic realm=\"test\""}));
                return;
            }
            const std::string target = LoopbackServer::targetOf(head);
            const uint16_t port =
                static_cast<uint16_t>(std::stoi(target.substr(target.rfind(':') + 1)));
            if (head.rfind("CONNECT ", 0) == 0) {
                c.write("HTTP/1.1 200 Connection established\r\n\r\n");
                c.relay(port, "");
                return;
            }
            // "GET http://127.0.0.1:<port>/path HTTP/1.0": the origin wants the path alone.
            const std::size_t pathAt = target.find('/', target.find("//") + 2);
            std::string forward = head;
            forward.replace(forward.find(target), target.size(), target.substr(pathAt));
            c.relay(port, forward);
        };
    }
    void TearDown() override { XTCPSocket_SSL::SetExtraTrustedCertificates(""); }

    std::vector<std::string> proxied() {
        std::lock_guard<std::mutex> lock(mMutex);
        return mProxied;
    }

    std::mutex mMutex;
    std::vector<std::string> mProxied;
};

TEST_F(XHttpClientProxy, PlainAndTunnelledWithBasicCredentials) {
    const TestCertificates certs = TestCertificates::make({"localhost"}, {"127.0.0.1"});
    XTCPSocket_SSL::SetExtraTrustedCertificates(certs.caPem);
    LoopbackServer origin(routes({{"/file", LoopbackServer::response(200, "through the proxy")}}));
    LoopbackServer tlsOrigin(routes({{"/file", LoopbackServer::response(200, "tunnelled")}}),
                             &certs);
    LoopbackServer proxyServer(proxy(basic("user:pa ss:w\xC3\xB6rd")));
    XHttpSettings settings = quickSettings();
    settings.proxyOn = true;
    settings.proxyHost = "127.0.0.1";
    settings.proxyPort = proxyServer.port();
    settings.proxyUser = "user";
    settings.proxyPassword = "pa ss:wörd";
    std::string body;
    std::string error;
    ASSERT_TRUE(HttpGet(XStr(origin.url("/file")), body, settings, &error)) << error;
    EXPECT_EQ(body, "through the proxy");
    ASSERT_TRUE(HttpGet(XStr(tlsOrigin.url("/file", "localhost")), body, settings, &error))
        << error;
    EXPECT_EQ(body, "tunnelled");
    const std::string port = std::to_string(tlsOrigin.port());
    EXPECT_EQ(proxied(), (std::vector<std::string>{"GET " + origin.url("/file") + " HTTP/1.0",
                                                   "CONNECT localhost:" + port + " HTTP/1.1"}));
    // The origin saw the path; the TLS origin's request never showed at the proxy.
    ASSERT_EQ(origin.requestHeads().size(), 1u);
    EXPECT_EQ(origin.requestHeads()[0].substr(0, 20), "GET /file HTTP/1.0\r\n");

    // Wrong credentials: the proxy's refusal fails both.
    settings.proxyPassword = "wrong";
    body = "kept";
    EXPECT_FALSE(HttpGet(XStr(origin.url("/file")), body, settings));
    EXPECT_FALSE(HttpGet(XStr(tlsOrigin.url("/file", "localhost")), body, settings, &error));
    EXPECT_EQ(error, "proxy: the tunnel was refused with status 407");
    EXPECT_EQ(body, "kept");
}

class XHttpClientStoredProxy : public RegistryTest {};

TEST_F(XHttpClientStoredProxy, TheSettingsStoreSwitchesTheProxyOn) {
    LoopbackServer origin(routes({{"/file", LoopbackServer::response(200, "direct or not")}}));
    LoopbackServer proxyServer([&](Connection& c) {
        c.readRequestHead();
        c.write(LoopbackServer::response(200, "from the proxy"));
    });
    XRegistry::SetString("CD-CDDBProxyServer", "127.0.0.1");
    XRegistry::SetString("CD-CDDBProxyPort",
                         XStr::number(static_cast<unsigned>(proxyServer.port())));
    XRegistry::SetString("CD-CDDBProxyUser", "me");
    XRegistry::SetString("CD-CDDBProxyPass", "secret");
    std::string body;
    // Configured but off.
    XRegistry::SetDWORD("CD-Proxy", 0);
    ASSERT_TRUE(HttpGet(XStr(origin.url("/file")), body));
    EXPECT_EQ(body, "direct or not");
    XRegistry::SetDWORD("CD-Proxy", 1);
    ASSERT_TRUE(HttpGet(XStr(origin.url("/file")), body));
    EXPECT_EQ(body, "from the proxy");
    ASSERT_EQ(proxyServer.requestHeads().size(), 1u);
    EXPECT_EQ(LoopbackServer::headerOf(proxyServer.requestHeads()[0], "Proxy-Authorization"),
              "Basic bWU6c2VjcmV0");
}

TEST(XHttpConnection, KeepsTheConnectionForTheNextRequest) {
    // Answers every request of a connection; "close" in the path asks to close after it,
    // "drop" closes without saying so.
    LoopbackServer server([](Connection& c) {
        for (;;) {
            const std::string head = c.readRequestHead();
            const std::string target = LoopbackServer::targetOf(head);
            if (head.empty()) {
                return;
            }
            const bool close = target.find("close") != std::string::npos;
            c.write(LoopbackServer::response(200, target,
                                             close ? std::vector<std::string>{"Connection: close"}
                                                   : std::vector<std::string>{}));
            if (close || target.find("drop") != std::string::npos) {
                return;
            }
        }
    });
    XHttpConnection connection(quickSettings());
    connection.version = "HTTP/1.1";
    connection.wantKeepAlive = true;
    const auto get = [&](const std::string& path) {
        XParsedUrl url;
        EXPECT_TRUE(ParseUrl(XStr(server.url(path)), url));
        EXPECT_TRUE(connection.Request(url)) << path << ": " << connection.LastError();
        return connection.Response().body;
    };
    EXPECT_EQ(get("/a"), "/a");
    EXPECT_EQ(get("/b"), "/b");
    EXPECT_EQ(server.accepted(), 1);
    EXPECT_EQ(get("/close"), "/close");
    EXPECT_FALSE(connection.IsOpen());
    EXPECT_EQ(get("/c"), "/c");
    EXPECT_EQ(server.accepted(), 2);
    // A connection the server dropped while idle is replaced once.
    EXPECT_EQ(get("/drop"), "/drop");
    EXPECT_EQ(get("/d"), "/d");
    EXPECT_EQ(server.accepted(), 3);
    const std::vector<std::string> heads = server.requestHeads();
    ASSERT_FALSE(heads.empty());
    EXPECT_EQ(LoopbackServer::headerOf(heads.front(), "Connection"), "");
    EXPECT_EQ(heads.front().substr(0, heads.front().find("\r\n")), "GET /a HTTP/1.1");
}

TEST(XHttpConnection, RequestTextWithMethodsBodiesAndHeaders) {
    XHttpSettings settings;
    settings.extraHeaders = {"X-Extra: 1", "Bad: a\r\nInjected: b"};
    XHttpConnection connection(settings);
    connection.method = "POST";
    connection.version = "HTTP/1.1";
    connection.headers = {"user-agent: Mine", ""};
    connection.body = "a=1";
    XParsedUrl url;
    ASSERT_TRUE(ParseUrl("https://h:8443/p?q", url));
    EXPECT_EQ(connection.RequestText(url),
              "POST /p?q HTTP/1.1\r\nContent-Length: 3\r\nHost: h:8443\r\nConnection: close\r\n"
              "user-agent: Mine\r\nX-Extra: 1\r\n\r\na=1");
    connection.method = "HEAD";
    connection.version = "HTTP/1.0";
    connection.wantKeepAlive = true;
    connection.headers.clear();
    connection.body.clear();
    ASSERT_TRUE(ParseUrl("http://h/", url));
    EXPECT_EQ(connection.RequestText(url),
              "HEAD / HTTP/1.0\r\nUser-Agent: Vantaro\r\nHost: h\r\nConnection: keep-alive\r\n"
              "X-Extra: 1\r\n\r\n");
}

}  // namespace
