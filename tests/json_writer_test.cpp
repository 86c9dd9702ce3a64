#include "cli/json_writer.h"
#include "core/windows1252.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/json_reader.h"

namespace vantorel {
namespace {

using cli::JsonQuoted;
using cli::JsonWriter;
using testing::ReadJson;

TEST(JsonWriter, IndentsContainersAndKeepsInlineOnesOnOneLine) {
  JsonWriter json;
  json.BeginObject();
  json.Key("name");
  json.String("lamp");
  json.Key("empty");
  json.BeginArray();
  json.EndArray();
  json.Key("items");
  json.BeginArray();
  json.BeginObject(JsonWriter::Layout::Inline);
  json.Key("a");
  json.Integer(-3);
  json.Key("v");
  json.BeginArray();  // inside an inline container, so inline too
  json.Float(1.5f);
  json.Bool(true);
  json.Null();
  json.EndArray();
  json.EndObject();
  json.Integer(7);
  json.EndArray();
  json.EndObject();
  EXPECT_EQ(json.Text(),
            "{\n"
            "  \"name\": \"lamp\",\n"
            "  \"empty\": [],\n"
            "  \"items\": [\n"
            "    {\"a\": -3, \"v\": [1.5, true, null]},\n"
            "    7\n"
            "  ]\n"
            "}\n");
  ASSERT_TRUE(ReadJson(json.Text()));
}

TEST(JsonWriter, FloatsAreShortestSingleValuesAndNonFiniteIsNull) {
  JsonWriter json;
  json.BeginArray(JsonWriter::Layout::Inline);
  json.Float(0.1f);
  json.Float(2.82511f);
  json.Float(-0.0f);
  json.Float(1e20f);
  json.Float(std::numeric_limits<float>::denorm_min());
  json.Float(std::numeric_limits<float>::quiet_NaN());
  json.Float(std::numeric_limits<float>::infinity());
  json.Float(-std::numeric_limits<float>::infinity());
  json.EndArray();
  EXPECT_EQ(json.Text(), "[0.1, 2.82511, -0, 1e+20, 1e-45, null, null, null]\n");
  const auto read = ReadJson(json.Text());
  ASSERT_TRUE(read);
  // Each number reads back as the same float.
  EXPECT_EQ(static_cast<float>((*read)[1].number), 2.82511f);
  EXPECT_EQ(static_cast<float>((*read)[4].number), std::numeric_limits<float>::denorm_min());
  EXPECT_EQ((*read)[5].type, testing::JsonValue::Type::Null);
}

TEST(JsonWriter, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(JsonQuoted("a\"b\\c/d"), "\"a\\\"b\\\\c/d\"");
  EXPECT_EQ(JsonQuoted("\b\f\n\r\t"), "\"\\b\\f\\n\\r\\t\"");
  EXPECT_EQ(JsonQuoted(std::string("\x01\x1f\x7f", 3)), "\"\\u0001\\u001f\x7f\"");
  EXPECT_EQ(JsonQuoted(std::string("a\0b", 3)), "\"a\\u0000b\"");
  const std::string all = [] {
    std::string text;
    for (int c = 1; c < 0x80; ++c)
      text += static_cast<char>(c);
    return text;
  }();
  const auto read = ReadJson(JsonQuoted(all));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->string, all);
}

TEST(JsonWriter, KeepsValidUtf8AndReplacesInvalidBytes) {
  EXPECT_EQ(JsonQuoted("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"),
            "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\"");
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(JsonQuoted("a\xC3"), "\"a" + replacement + "\"");                  // cut sequence
  EXPECT_EQ(JsonQuoted("\xC0\xAF"), "\"" + replacement + replacement + "\"");  // overlong
  EXPECT_EQ(JsonQuoted("\xED\xA0\x80x"),
            "\"" + replacement + replacement + replacement + "x\"");  // surrogate
  EXPECT_EQ(JsonQuoted("\xF4\x90\x80\x80"),
            "\"" + replacement + replacement + replacement + replacement + "\"");  // > U+10FFFF
  EXPECT_EQ(JsonQuoted("\xFF\xE9t\xE9"), "\"" + replacement + replacement + "t" + replacement +
                                             "\"");  // Latin-1 text is not UTF-8
  for (const char* bad : {"\xC3", "\x80", "\xE2\x82", "\xF8\x88\x80\x80\x80"}) {
    EXPECT_TRUE(ReadJson(JsonQuoted(bad))) << bad;
  }
}

TEST(JsonWriter, ConvertsWindows1252NamesToUtf8) {
  EXPECT_EQ(Windows1252ToUtf8("plain_name01"), "plain_name01");
  EXPECT_EQ(Windows1252ToUtf8("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");  // é
  EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");            // €
  EXPECT_EQ(Windows1252ToUtf8("\x8A\x9F"), "\xC5\xA0\xC5\xB8");    // Š Ÿ
  EXPECT_EQ(Windows1252ToUtf8("\x99"), "\xE2\x84\xA2");            // ™
  EXPECT_EQ(Windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"),             // undefined in the
            "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");           // code page: C1 controls
  EXPECT_EQ(Windows1252ToUtf8("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
  // Every byte value converts to valid UTF-8 that a strict reader takes back.
  std::string all;
  for (int c = 1; c < 256; ++c)
    all += static_cast<char>(c);
  JsonWriter json;
  json.Windows1252String(all);
  const auto read = ReadJson(json.Text());
  ASSERT_TRUE(read);
  EXPECT_EQ(read->string, Windows1252ToUtf8(all));
}

TEST(JsonReader, RefusesWhatIsNotJson) {
  for (const char* bad : {"", "{", "[1,]", "{\"a\":1,}", "{\"a\" 1}", "[01]", "[1.]", "[.5]",
                          "[1e]", "nul", "[\"a\nb\"]", "[\"\\x\"]", "[\"\\ud800\"]",
                          "{\"a\":1,\"a\":2}", "[1] [2]", "[NaN]", "[\"\xC3\"]"}) {
    EXPECT_FALSE(ReadJson(bad)) << bad;
  }
  EXPECT_TRUE(ReadJson(" {\"a\": [1, -2.5e-3, \"\\u00e9\\ud83d\\ude00\", null, false]} "));
}

}  // namespace
}  // namespace vantorel
