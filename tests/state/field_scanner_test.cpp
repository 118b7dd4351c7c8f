#include "state/field_scanner.h"

#include <gtest/gtest.h>

#include <string>

namespace tov {
namespace {

// The fields of the data joined by "|", quoted ones written back between quotes.
std::string Scan(std::string_view data) {
  FieldScanner scanner(data);
  std::string fields;
  for (int n = 0; n < 100; ++n) {  // a scanner that stops advancing must not hang the test
    const auto field = scanner.Next();
    if (!field) return fields;
    if (n > 0) fields += '|';
    fields += field->quoted ? "\"" + field->text + "\"" : field->text;
  }
  return fields + "...";
}

TEST(FieldScanner, SplitsFieldsAtCommasAndEveryKindOfLineEnd) {
  const std::pair<const char*, const char*> cases[] = {
      {"1,2.5\r\n3\n4\r5", "1|2.5|3|4|5"},
      {"1,,3\r\n\r\n4", "1||3||4"},  // two separators in a row give an empty field
      {",1", "|1"},
      {"  \t ", ""},
      {"1,2,", "1|2"},  // no empty field after the last separator
      {"  5  ,\t7\t\n a b ", "5|7|a b"},
      {"ab\"c,d", "ab\"c|d"},
      {"  \"  x, y \"  ,\"\"", "\"  x, y \"|\"\""},
      {"\"abc\" junk,next\r\n\"line\nbreak\"x\r\n5", "\"abc\"|next|\"line\nbreak\"|5"},
      {"1,\"open, text\r\n2", "1|\"open, text\r\n2\""},  // the missing quote runs to the end
  };
  for (const auto& [data, fields] : cases) EXPECT_EQ(Scan(data), fields) << '"' << data << '"';
}

}  // namespace
}  // namespace tov
