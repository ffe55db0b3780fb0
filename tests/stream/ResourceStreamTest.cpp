#include "stream/ireswstream.h"
#include "stream/ireswstreambuf.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

class ResourceStream : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = platform::Module::load(QX_TEST_RESOURCE_MODULE);
        ASSERT_TRUE(module_);
    }
    std::unique_ptr<platform::Module> module_;
};

TEST_F(ResourceStream, ReadsTheBytesOfAResource) {
    ireswstream in(module_.get(), "GREETING", "TEXT");
    ASSERT_TRUE(in.good());
    char line[64];
    EXPECT_STREQ(in.getline(line, sizeof line), "Hello from a module");
    EXPECT_STREQ(in.getline(line, sizeof line), "second line");
    EXPECT_EQ(in.state(), wstream::eofbit);

    ireswstream banner(module_->findResource("BANNER", "GIF"));
    std::uint8_t bytes[9] = {};
    EXPECT_EQ(banner.read(bytes, 9), 8);
    EXPECT_EQ(bytes[7], 0xFF);
    EXPECT_EQ(banner.seek(-2, 2), 6);
}

TEST_F(ResourceStream, MissingResourcesAndWrites) {
    ireswstream wrongType(module_.get(), "GREETING", "GIF");
    EXPECT_EQ(wrongType.state(), wstream::badbit);
    ireswstream noModule(nullptr, "GREETING", "TEXT");
    EXPECT_EQ(noModule.state(), wstream::badbit);
    char c;
    EXPECT_EQ(noModule.read(&c, 1), 0);

    // The bytes live in the module's read-only data.
    ireswstreambuf buf(module_.get(), "GREETING", "TEXT");
    EXPECT_TRUE(buf.isopen());
    EXPECT_EQ(buf.write("x", 1), -1);
}

} // namespace
} // namespace qx
