// A loopback origin and a loopback proxy that answer the origin's one URL differently: the proxy
// receives the origin's absolute URL as its request target, so the answer tells which way a
// request went.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "service/HttpClient.h"
#include "tests/testing/TestHttpServer.h"

namespace larkholm::testing {

class ProxiedOrigin : public ::testing::Test {
protected:
    static constexpr char kDirect[] = "direct";
    static constexpr char kViaProxy[] = "via proxy";

    void SetUp() override {
        ASSERT_EQ(HttpStartup(), 0);
        origin.ServeBytes("/file", kDirect);
        proxy.ServeBytes(url, kViaProxy);
    }
    void TearDown() override { HttpShutdown(); }

    // The answer to a GET of the origin's URL, made the way the current settings say.
    std::string Fetch() const {
        std::string body;
        EXPECT_EQ(HttpGet(url, body, 5000, 5000), 0);
        return body;
    }

    TestHttpServer origin;
    TestHttpServer proxy;
    const std::string url = origin.Url("/file");
};

}  // namespace larkholm::testing
