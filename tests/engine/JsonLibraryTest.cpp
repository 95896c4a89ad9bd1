// jsoncpp as the engine uses it: parse a manifest-like array, write a report body.

#include <gtest/gtest.h>
#include <json/json.h>

#include <memory>
#include <string>

TEST(JsonLibrary, ParsesArrayOfObjectsWithUtf8Text)
{
    const std::string text = R"([{"name":"壁纸","size":1024,"select":true},{"name":"main","size":"x"}])";
    Json::Value root;
    std::string errors;
    const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    ASSERT_TRUE(reader->parse(text.data(), text.data() + text.size(), &root, &errors)) << errors;
    ASSERT_TRUE(root.isArray());
    ASSERT_EQ(2u, root.size());
    EXPECT_EQ("壁纸", root[0]["name"].asString());
    EXPECT_EQ(1024, root[0]["size"].asInt());
    EXPECT_TRUE(root[0]["select"].asBool());
    EXPECT_FALSE(root[1]["size"].isInt());
}

TEST(JsonLibrary, RejectsMalformedText)
{
    Json::Value root;
    Json::Reader reader;
    EXPECT_FALSE(reader.parse("[{\"name\":", root));
}

TEST(JsonLibrary, WritesStyledTextThatParsesBack)
{
    Json::Value report;
    report["uid"] = "{0F3A}";
    report["version"] = "2.0";
    report["count"] = 3;
    const std::string written = report.toStyledString();
    Json::Value back;
    ASSERT_TRUE(Json::Reader().parse(written, back));
    EXPECT_EQ(report, back);
}
